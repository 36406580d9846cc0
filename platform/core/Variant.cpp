#include "platform/core/Variant.h"

#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MathSupport.h"
#include "platform/core/Regional.h"
#include "platform/core/StrUtils.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// 2^63: every integer result must lie strictly inside it.
constexpr long double kInt64Limit = 9223372036854775808.0L;

struct IntegerRange {
    long long low;
    long long high;
};

bool IsIntegerKind(TVarType type)
{
    switch (type) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varInt:
    case varUInt: return true;
    default: return false;
    }
}

IntegerRange RangeOf(TVarType type)
{
    switch (type) {
    case varShortInt: return {-128, 127};
    case varByte: return {0, 255};
    case varSmallint: return {-32768, 32767};
    case varWord: return {0, 65535};
    case varInteger:
    case varInt: return {-2147483648LL, 2147483647LL};
    case varLongWord:
    case varUInt: return {0, 4294967295LL};
    default: return {std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max()};
    }
}

// Bytes per element held in the raw store; 0 for kinds held as variants (text, variant).
std::size_t ElementSize(TVarType type)
{
    switch (type) {
    case varShortInt:
    case varByte: return 1;
    case varSmallint:
    case varWord:
    case varBoolean: return 2;
    case varInteger:
    case varInt:
    case varLongWord:
    case varUInt:
    case varSingle: return 4;
    case varDouble:
    case varDate:
    case varCurrency:
    case varInt64:
    case varUInt64: return 8;
    default: return 0;
    }
}

bool IsArrayElementKind(TVarType type) { return ElementSize(type) > 0 || type == varOleStr || type == varVariant; }

std::string TypeName(TVarType type)
{
    if (type & varArray)
        return "Array " + TypeName(type & varTypeMask);
    switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varBoolean: return "Boolean";
    case varVariant: return "Variant";
    case varShortInt: return "ShortInt";
    case varByte: return "Byte";
    case varWord: return "Word";
    case varLongWord: return "LongWord";
    case varInt64: return "Int64";
    case varUInt64: return "UInt64";
    case varInt: return "Int";
    case varUInt: return "UInt";
    default: return "Unknown";
    }
}

[[noreturn]] void RaiseCastError(TVarType from, TVarType to)
{
    throw EConvertError("Could not convert variant of type (" + TypeName(from) + ") into type (" + TypeName(to) + ")");
}

[[noreturn]] void RaiseNotArray() { throw EConvertError("Variant is not an array"); }
[[noreturn]] void RaiseBadIndex() { throw EListError("Variant or safe array index out of bounds"); }

// Currency is exact in ten-thousandths: its text is built from the integer, not a double.
std::string CurrencyText(long long units, char decimalSeparator)
{
    const unsigned long long magnitude =
        units < 0 ? 0ULL - static_cast<unsigned long long>(units) : static_cast<unsigned long long>(units);
    std::string text = (units < 0 ? "-" : "") + std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += decimalSeparator + fraction;
    return text;
}

template <typename T>
T Load(const unsigned char* p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

template <typename T>
void Store(unsigned char* p, T value)
{
    std::memcpy(p, &value, sizeof value);
}

}  // namespace

// ------------------------------------------------------------------------- array store

class TVarArray {
public:
    TVarArray(TVarType type, std::vector<TVarArrayBound> dims) : elementType(type), bounds(std::move(dims))
    {
        std::size_t count = 1;
        for (const TVarArrayBound& b : bounds) {
            if (b.High < b.Low - 1)
                throw EConvertError("Invalid variant array bounds");
            count *= std::size_t(static_cast<long long>(b.High) - b.Low + 1);
        }
        if (ElementSize(type))
            raw.assign(count * ElementSize(type), 0);
        else
            items.assign(count, type == varOleStr ? TVariant("") : TVariant());
    }

    std::size_t Count() const
    {
        return ElementSize(elementType) ? raw.size() / ElementSize(elementType) : items.size();
    }

    std::size_t Position(std::initializer_list<int> indices) const
    {
        if (indices.size() != bounds.size())
            RaiseBadIndex();
        std::size_t position = 0, stride = 1;
        auto b = bounds.begin();
        for (int index : indices) {
            if (index < b->Low || index > b->High)
                RaiseBadIndex();
            position += std::size_t(static_cast<long long>(index) - b->Low) * stride;
            stride *= std::size_t(static_cast<long long>(b->High) - b->Low + 1);
            ++b;
        }
        return position;
    }

    TVariant Get(std::size_t position) const
    {
        if (position >= Count())
            RaiseBadIndex();
        if (!ElementSize(elementType))
            return items[position];
        const unsigned char* p = raw.data() + position * ElementSize(elementType);
        switch (elementType) {
        case varShortInt: return TVariant::OfInteger(elementType, Load<std::int8_t>(p));
        case varByte: return TVariant::OfInteger(elementType, Load<std::uint8_t>(p));
        case varSmallint: return TVariant::OfInteger(elementType, Load<std::int16_t>(p));
        case varWord: return TVariant::OfInteger(elementType, Load<std::uint16_t>(p));
        case varInteger:
        case varInt: return TVariant::OfInteger(elementType, Load<std::int32_t>(p));
        case varLongWord:
        case varUInt: return TVariant::OfInteger(elementType, Load<std::uint32_t>(p));
        case varInt64: return TVariant(static_cast<long long>(Load<std::int64_t>(p)));
        case varUInt64: return TVariant::OfUInt64(Load<std::uint64_t>(p));
        case varSingle: return TVariant::OfSingle(Load<float>(p));
        case varDouble: return TVariant(Load<double>(p));
        case varDate: return TVariant::OfDate(Load<double>(p));
        case varBoolean: return TVariant(Load<std::int16_t>(p) != 0);
        default: {  // varCurrency
            TVariant v = TVariant::OfCurrency(0);
            v.m_int = Load<std::int64_t>(p);
            return v;
        }
        }
    }

    void Put(std::size_t position, const TVariant& value)
    {
        if (position >= Count())
            RaiseBadIndex();
        if (!ElementSize(elementType)) {
            items[position] = elementType == varVariant ? value : value.AsType(elementType);
            return;
        }
        const TVariant v = value.AsType(elementType);
        unsigned char* p = raw.data() + position * ElementSize(elementType);
        switch (ElementSize(elementType)) {
        case 1: Store(p, static_cast<std::uint8_t>(v.m_int)); break;
        case 2: Store(p, static_cast<std::uint16_t>(v.m_int)); break;
        case 4:
            if (elementType == varSingle)
                Store(p, static_cast<float>(v.m_real));
            else
                Store(p, static_cast<std::uint32_t>(v.m_int));
            break;
        default:
            if (elementType == varDouble || elementType == varDate)
                Store(p, v.m_real);
            else if (elementType == varUInt64)
                Store(p, v.m_uint64);
            else
                Store(p, v.m_int);
        }
    }

    TVarType elementType;
    std::vector<TVarArrayBound> bounds;
    std::vector<unsigned char> raw;  // kinds with a fixed size
    std::vector<TVariant> items;     // text and variants
};

// ------------------------------------------------------------------------- construction

TVariant::TVariant() = default;
TVariant::TVariant(bool value) : m_type(varBoolean), m_int(value ? -1 : 0) {}
TVariant::TVariant(int value) : m_type(varInteger), m_int(value) {}
TVariant::TVariant(long long value) : m_type(varInt64), m_int(value) {}
TVariant::TVariant(double value) : m_type(varDouble), m_real(value) {}
TVariant::TVariant(const char* text) : m_type(varOleStr), m_text(text ? text : "") {}
TVariant::TVariant(std::string text) : m_type(varOleStr), m_text(std::move(text)) {}
TVariant::~TVariant() = default;
TVariant::TVariant(TVariant&& other) noexcept = default;
TVariant& TVariant::operator=(TVariant&& other) noexcept = default;

TVariant::TVariant(const TVariant& other)
    : m_type(other.m_type),
      m_int(other.m_int),
      m_uint64(other.m_uint64),
      m_real(other.m_real),
      m_text(other.m_text),
      m_array(other.m_array ? std::make_unique<TVarArray>(*other.m_array) : nullptr)
{
}

TVariant& TVariant::operator=(const TVariant& other)
{
    if (this != &other)
        *this = TVariant(other);
    return *this;
}

TVariant TVariant::Null()
{
    TVariant v;
    v.m_type = varNull;
    return v;
}

TVariant TVariant::OfInteger(TVarType type, long long value)
{
    const IntegerRange range = RangeOf(type);
    if (!IsIntegerKind(type) || value < range.low || value > range.high)
        RaiseCastError(varInt64, type);
    TVariant v;
    v.m_type = type;
    v.m_int = value;
    return v;
}

TVariant TVariant::OfUInt64(unsigned long long value)
{
    TVariant v;
    v.m_type = varUInt64;
    v.m_uint64 = value;
    return v;
}

TVariant TVariant::OfSingle(float value)
{
    TVariant v;
    v.m_type = varSingle;
    v.m_real = value;
    return v;
}

TVariant TVariant::OfDate(TDateTime value)
{
    TVariant v;
    v.m_type = varDate;
    v.m_real = value;
    return v;
}

TVariant TVariant::OfCurrency(double value)
{
    const long double units = static_cast<long double>(value) * 10000;
    if (!(std::fabs(units) < kInt64Limit))
        RaiseCastError(varDouble, varCurrency);
    TVariant v;
    v.m_type = varCurrency;
    v.m_int = RoundHalfEven(units);
    return v;
}

TVariant TVariant::CreateArray(const std::vector<TVarArrayBound>& bounds, TVarType elementType)
{
    if (bounds.empty() || !IsArrayElementKind(elementType))
        throw EConvertError("Invalid variant array of type (" + TypeName(elementType) + ")");
    TVariant v;
    v.m_array = std::make_unique<TVarArray>(elementType, bounds);
    v.m_type = varArray | elementType;
    return v;
}

TVariant TVariant::ByteArray(const void* data, std::size_t size)
{
    if (size > std::size_t(std::numeric_limits<int>::max()))
        throw EConvertError("Invalid variant array bounds");
    TVariant v = CreateArray({{0, int(size) - 1}}, varByte);
    if (size)
        std::memcpy(v.m_array->raw.data(), data, size);
    return v;
}

// ------------------------------------------------------------------------- arrays

TVarType TVariant::VarType() const { return m_type; }
bool TVariant::IsArray() const { return m_array != nullptr; }

int TVariant::DimCount() const { return m_array ? int(m_array->bounds.size()) : 0; }

int TVariant::LowBound(int dimension) const
{
    if (!m_array)
        RaiseNotArray();
    if (dimension < 1 || dimension > DimCount())
        RaiseBadIndex();
    return m_array->bounds[std::size_t(dimension - 1)].Low;
}

int TVariant::HighBound(int dimension) const
{
    if (!m_array)
        RaiseNotArray();
    if (dimension < 1 || dimension > DimCount())
        RaiseBadIndex();
    return m_array->bounds[std::size_t(dimension - 1)].High;
}

std::size_t TVariant::ElementCount() const
{
    if (!m_array)
        RaiseNotArray();
    return m_array->Count();
}

TVariant TVariant::GetElement(std::initializer_list<int> indices) const
{
    if (!m_array)
        RaiseNotArray();
    return m_array->Get(m_array->Position(indices));
}

void TVariant::PutElement(std::initializer_list<int> indices, const TVariant& value)
{
    if (!m_array)
        RaiseNotArray();
    m_array->Put(m_array->Position(indices), value);
}

TVariant TVariant::GetElementAt(std::size_t position) const
{
    if (!m_array)
        RaiseNotArray();
    return m_array->Get(position);
}

void TVariant::PutElementAt(std::size_t position, const TVariant& value)
{
    if (!m_array)
        RaiseNotArray();
    m_array->Put(position, value);
}

const void* TVariant::ArrayData() const
{
    if (!m_array)
        RaiseNotArray();
    return m_array->raw.empty() ? nullptr : m_array->raw.data();
}

// ------------------------------------------------------------------------- conversions

long long TVariant::IntegerValue() const
{
    if (IsIntegerKind(m_type) || m_type == varBoolean || m_type == varEmpty)
        return m_int;
    if (m_type == varUInt64) {
        if (m_uint64 > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
            RaiseCastError(m_type, varInt64);
        return static_cast<long long>(m_uint64);
    }
    if (m_type == varCurrency)
        return RoundHalfEven(static_cast<long double>(m_int) / 10000);
    const double value = AsDouble();
    if (!(std::fabs(value) < kInt64Limit))
        RaiseCastError(m_type, varInt64);
    return RoundHalfEven(value);
}

double TVariant::AsDouble() const
{
    switch (m_type) {
    case varEmpty: return 0;
    case varSingle:
    case varDouble:
    case varDate: return m_real;
    case varUInt64: return double(m_uint64);
    case varCurrency: return double(static_cast<long double>(m_int) / 10000);
    case varOleStr: return StrToFloat(m_text);
    default:
        if (IsIntegerKind(m_type) || m_type == varBoolean)
            return double(m_int);
        RaiseCastError(m_type, varDouble);
    }
}

std::string TVariant::AsText() const
{
    const char separator = Region().DecimalSeparator;
    switch (m_type) {
    case varEmpty:
    case varNull: return "";
    case varBoolean: return m_int ? "True" : "False";
    case varUInt64: return std::to_string(m_uint64);
    case varSingle: return FloatToStr(m_real, separator, 7);
    case varDouble: return FloatToStr(m_real, separator);
    case varDate: return DateTimeToStr(m_real);
    case varCurrency: return CurrencyText(m_int, separator);
    case varOleStr: return m_text;
    default:
        if (IsIntegerKind(m_type))
            return IntToStr(m_int);
        RaiseCastError(m_type, varOleStr);
    }
}

TVariant TVariant::AsType(TVarType type) const
{
    if (type == m_type || type == varVariant)
        return *this;
    if (m_array || m_type == varNull)
        RaiseCastError(m_type, type);
    if (IsIntegerKind(type)) {
        const long long value = IntegerValue();
        const IntegerRange range = RangeOf(type);
        if (value < range.low || value > range.high)
            RaiseCastError(m_type, type);
        return OfInteger(type, value);
    }
    switch (type) {
    case varEmpty: return TVariant();
    case varUInt64: {
        const long long value = IntegerValue();
        if (value < 0)
            RaiseCastError(m_type, type);
        return OfUInt64(static_cast<unsigned long long>(value));
    }
    case varSingle: {
        const double value = AsDouble();
        if (std::isfinite(value) && std::fabs(value) > FLT_MAX)
            RaiseCastError(m_type, type);
        return OfSingle(static_cast<float>(value));
    }
    case varDouble: return TVariant(AsDouble());
    case varDate: return OfDate(m_type == varOleStr ? StrToDateTime(m_text) : AsDouble());
    case varCurrency: return OfCurrency(AsDouble());
    case varOleStr: return TVariant(AsText());
    case varBoolean:
        if (m_type == varOleStr && (SameText(m_text, "True") || SameText(m_text, "False")))
            return TVariant(SameText(m_text, "True"));
        return TVariant(AsDouble() != 0);
    default: RaiseCastError(m_type, type);
    }
}
