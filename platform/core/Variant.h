#pragma once
// The OLE-style variant: a value of one of the VARTYPE kinds, or an array of them with any
// number of dimensions and any low bounds. A plain value class: copies are deep.

#include "platform/core/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using TVarType = std::uint16_t;

constexpr TVarType varEmpty = 0;
constexpr TVarType varNull = 1;
constexpr TVarType varSmallint = 2;  // 16-bit signed
constexpr TVarType varInteger = 3;   // 32-bit signed
constexpr TVarType varSingle = 4;
constexpr TVarType varDouble = 5;
constexpr TVarType varCurrency = 6;  // 64-bit count of ten-thousandths
constexpr TVarType varDate = 7;
constexpr TVarType varOleStr = 8;     // text
constexpr TVarType varBoolean = 11;   // -1 / 0
constexpr TVarType varVariant = 12;   // array elements only
constexpr TVarType varShortInt = 16;  // 8-bit signed
constexpr TVarType varByte = 17;
constexpr TVarType varWord = 18;
constexpr TVarType varLongWord = 19;
constexpr TVarType varInt64 = 20;
constexpr TVarType varUInt64 = 21;
constexpr TVarType varInt = 22;   // 32-bit signed
constexpr TVarType varUInt = 23;  // 32-bit unsigned
constexpr TVarType varArray = 0x2000;
constexpr TVarType varTypeMask = 0x0FFF;

struct TVarArrayBound {
    int Low = 0;
    int High = -1;  // Low - 1 for an empty dimension
};

class TVarArray;

class TVariant {
public:
    TVariant();  // empty
    TVariant(bool value);
    TVariant(int value);        // varInteger
    TVariant(long long value);  // varInt64
    TVariant(double value);
    TVariant(const char* text);
    TVariant(std::string text);
    ~TVariant();
    TVariant(const TVariant& other);
    TVariant(TVariant&& other) noexcept;
    TVariant& operator=(const TVariant& other);
    TVariant& operator=(TVariant&& other) noexcept;

    static TVariant Null();
    // Any integer kind (varSmallint .. varUInt); the value must fit the kind.
    static TVariant OfInteger(TVarType type, long long value);
    static TVariant OfUInt64(unsigned long long value);
    static TVariant OfSingle(float value);
    static TVariant OfDate(TDateTime value);
    static TVariant OfCurrency(double value);  // rounded to ten-thousandths, halves to even

    // An array of `elementType` (any kind above but empty and null) with one bound pair per
    // dimension, every element empty, zero or "". Elements are kept in the order of a safe
    // array: the first index varies fastest.
    static TVariant CreateArray(const std::vector<TVarArrayBound>& bounds, TVarType elementType);
    // A one-dimensional byte array indexed from 0 (type varArray | varByte).
    static TVariant ByteArray(const void* data, std::size_t size);

    TVarType VarType() const;  // the kind, with varArray set for arrays
    bool IsEmpty() const { return m_type == varEmpty; }
    bool IsNull() const { return m_type == varNull; }
    bool IsArray() const;

    // Arrays; dimensions count from 1. A non-array raises EConvertError, an index outside
    // the bounds EListError.
    int DimCount() const;
    int LowBound(int dimension) const;
    int HighBound(int dimension) const;
    std::size_t ElementCount() const;
    TVariant GetElement(std::initializer_list<int> indices) const;
    void PutElement(std::initializer_list<int> indices, const TVariant& value);  // converted to the element kind
    TVariant GetElementAt(std::size_t position) const;                           // position in element order
    void PutElementAt(std::size_t position, const TVariant& value);
    // The elements as stored (1, 2, 4 or 8 bytes each as their kind; Booleans as 16-bit
    // -1/0); null for arrays of text or variants.
    const void* ArrayData() const;

    // Conversions. AsDouble: empty 0, Boolean -1/0, text through StrToFloat (region);
    // null, arrays and text that is no number raise EConvertError.
    double AsDouble() const;
    // Text form: integers in decimal, floats by FloatToStr (region; singles to 7 digits),
    // Boolean "True"/"False", dates by DateTimeToStr, empty and null "". Arrays raise.
    std::string AsText() const;
    // The value converted to another scalar kind (EConvertError when it cannot be).
    TVariant AsType(TVarType type) const;

private:
    long long IntegerValue() const;

    TVarType m_type = varEmpty;
    long long m_int = 0;              // integer kinds, Boolean, currency
    unsigned long long m_uint64 = 0;  // varUInt64
    double m_real = 0;                // single, double, date
    std::string m_text;
    std::unique_ptr<TVarArray> m_array;

    friend class TVarArray;
};
