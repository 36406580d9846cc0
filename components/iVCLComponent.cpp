#include "components/iVCLComponent.h"

#include "components/iClasses.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/Metafile.h"
#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Registry.h"
#include "platform/core/Scoped.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Streams.h"
#include "platform/core/StringList.h"

#include <cstdint>
#include <filesystem>

PRAVIX_PUBLISH(TiVCLComponent, Field("OnNewOPCData", &TiVCLComponent::OnNewOPCData),
               Field("OnBeforeNewOPCData", &TiVCLComponent::OnBeforeNewOPCData))

namespace {

void CheckJPEGCompression(int compression)
{
    if (compression < 1 || compression > 100)
        throw Exception("Compression must be in the range of 1-100");
}

void CheckPNGCompression(int compression)
{
    if (compression < 0 || compression > 9)
        throw Exception("Compression must be in the range of 0-9");
}

void WriteBytes(const std::string& fileName, const TBytes& bytes)
{
    WriteFileBytes(fileName, bytes.data(), bytes.size());
}

TVariant ByteArrayOf(const TBytes& bytes) { return TVariant::ByteArray(bytes.data(), bytes.size()); }

// --- Property values from text ----------------------------------------------------------

// A decimal 32-bit integer; 0..4294967295 is taken too and wraps, as in property text, so
// colours sent unsigned arrive. Anything else raises EConvertError.
std::int64_t TextToOrdinal(const std::string& text)
{
    int value = 0;
    if (TryStrToInt(text, value))
        return value;
    const std::string digits = Trim(text);
    if (!digits.empty() && digits.size() <= 10 && digits.find_first_not_of("0123456789") == std::string::npos) {
        const unsigned long long big = std::stoull(digits);
        if (big <= 0xFFFFFFFFull)
            return std::int32_t(std::uint32_t(big));
    }
    return StrToInt(text);  // raises
}

std::string EnumerationText(const TTypeInfo& type, std::string text)
{
    if (SameText(text, "True"))
        text = "1";
    else if (SameText(text, "False"))
        text = "0";
    if (type.EnumCount() == 2 && text != "0")
        text = "1";
    return text;
}

// Writes the text into the property by its kind; the setter refuses enumeration ordinals out
// of range and masks sets. Kinds without a text form are left alone.
void SetPropertyFromText(TObject& object, const TPropInfo& p, const std::string& text)
{
    switch (p.Kind()) {
    case tkInteger:
    case tkSet: p.SetOrd(object, TextToOrdinal(text)); break;
    case tkChar: {
        const int code = StrToInt(text);
        if (code >= 0 && code <= 255)
            p.SetOrd(object, code);
        break;
    }
    case tkEnumeration: p.SetOrd(object, StrToInt(EnumerationText(p.Type(), text))); break;
    case tkFloat: p.SetFloat(object, FileStrToFloat(text)); break;
    case tkString: p.SetString(object, text); break;
    default: break;
    }
}

// --- Themes -----------------------------------------------------------------------------

const char* const ThemesKey = "SOFTWARE\\Pravix\\Themes";
const char* const PredefinedThemePathValue = "Pravix Defined Theme Path";
const char* const UserThemePathValue = "User Defined Theme Path";

std::string ReadThemePath(TRegistryRoot root, const char* valueName)
{
    const auto key = OpenKey(root, ThemesKey, false);
    return key ? Trim(key->ReadString(valueName)) : std::string();
}

std::string ThemePath(const char* valueName)
{
    std::string path = ReadThemePath(HKEY_LOCAL_MACHINE, valueName);
    if (std::string user = ReadThemePath(HKEY_CURRENT_USER, valueName); !user.empty())
        path = user;
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    return path;
}

void ExpectPiece(TiXMLMemoryStream& stream, const char* expected)
{
    std::string piece;
    stream.GetNextPiece(piece);
    if (piece != expected)
        throw Exception("Error Loading Scheme. XML File Malformed");
}

}  // namespace

// --- Construction -------------------------------------------------------------------------

TiVCLComponent::TiVCLComponent(TComponent* owner)
    : TiComponent(owner),
      m_opcItemManager(std::make_unique<TiOPCItemManager>()),
      m_opcSpecialList(std::make_unique<TStringList>()),
      m_themeCategories(std::make_unique<TStringList>(true))
{
    m_opcItemManager->OnGetDesigning = [this](TObject* sender, bool& designing) { DoIsDesigning(sender, designing); };
    m_opcItemManager->OnNewData = [this](TObject* sender) { OPCNewData(sender); };
    m_opcItemManager->OnGetDataType = [this](const std::string& path, TTypeKind& kind) { PropertyVarType(path, kind); };
    m_opcItemManager->Owner = this;
    m_timer.OnInternalTimer = [this] { InternalTimer(); };
}

TiVCLComponent::~TiVCLComponent()
{
    // From here on Lock and Unlock do nothing: nothing may wait for a dying component.
    Destroying();
    m_timer.TimerStop();
    ClearAllSchemes();
}

// --- Lock and timer -------------------------------------------------------------------------

void TiVCLComponent::Lock()
{
    if (!IsDestroying())
        m_lock.lock();
}

void TiVCLComponent::Unlock()
{
    if (!IsDestroying())
        m_lock.unlock();
}

bool TiVCLComponent::GetTimerRunning() { return m_timer.GetTimerRunning(); }

void TiVCLComponent::TimerStart(int firstInterval, int interval) { m_timer.TimerStart(firstInterval, interval); }

void TiVCLComponent::TimerStop() { m_timer.TimerStop(); }

void TiVCLComponent::InternalTimer() { OnInternalTimer(this); }

// --- Window notifications -------------------------------------------------------------------

void TiVCLComponent::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    try {
        TiComponent::MouseDown(button, shift, x, y);
    } catch (...) {
    }
}

void TiVCLComponent::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    try {
        TiComponent::MouseUp(button, shift, x, y);
    } catch (...) {
    }
}

void TiVCLComponent::DblClick()
{
    try {
        TiComponent::DblClick();
    } catch (...) {
    }
}

void TiVCLComponent::DoEnter(TWinControl* from)
{
    struct UserInput {
        TiVCLComponent& c;
        ~UserInput() { c.SetInsideUserInput(false); }
    } userInput{*this};
    SetInsideUserInput(true);
    iDoSetFocus();
    TiComponent::DoEnter(from);
}

void TiVCLComponent::DoExit(TWinControl* to)
{
    {
        struct UserInput {
            TiVCLComponent& c;
            ~UserInput() { c.SetInsideUserInput(false); }
        } userInput{*this};
        SetInsideUserInput(true);
        if (to != this)
            iDoKillFocus();
    }
    TiComponent::DoExit(to);
}

bool TiVCLComponent::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    return iMouseWheel(wheelDelta, shift, mousePos);
}

bool TiVCLComponent::WantsKey(int key) const
{
    int code = key;
    int result = 0;
    const_cast<TiVCLComponent*>(this)->iWantSpecialKey(code, result);
    return result != 0 || TiComponent::WantsKey(key);
}

void TiVCLComponent::ColorChanged() { BackGroundChange(); }

void TiVCLComponent::SetBounds(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    TiComponent::SetBounds(left, top, width, height);
    // The capture and the back buffer take the new size when they are next painted.
    RequestTransparentCapture();
    BackGroundChange();
}

// --- Transparency -------------------------------------------------------------------------

void TiVCLComponent::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    if (value) {
        if (!m_captureBitmap) {
            m_captureBitmap = std::make_unique<TBitmap>();
            RequestTransparentCapture();
        }
        RequestTransparentCapture();
    } else {
        m_captureBitmap.reset();
        m_capturePending = false;
    }
    BackGroundChange();
}

void TiVCLComponent::RequestTransparentCapture()
{
    if (!m_transparent || m_capturePending)
        return;
    m_capturePending = true;
    BackGroundChange();
}

// What lies beneath the control: the parent's picture, drawn here when the parent is one of
// the library's components (it draws without a window), otherwise as its window paints it.
// False while that window is not on screen and the capture is only its colour.
bool TiVCLComponent::CaptureParentBeneath()
{
    TCanvas& capture = m_captureBitmap->Canvas();
    TWinControl* parent = Parent();
    if (auto* component = dynamic_cast<TiComponent*>(parent)) {
        TBitmap picture;
        picture.SetSize(component->Width(), component->Height());
        {
            TScopedLock<TiComponent> lock(*component);
            component->iPaintTo(picture.Canvas());
        }
        capture.Draw(-Left(), -Top(), picture);
        return true;
    }
    TBitmap beneath;
    const bool onScreen = GrabParentBeneath(*this, beneath);
    capture.Draw(0, 0, beneath);
    return onScreen;
}

void TiVCLComponent::GetTransparentBitmap()
{
    if (!m_capturePending || !m_captureBitmap)
        return;
    m_captureBitmap->SetSize(Width(), Height());
    if (Parent() && Width() > 0 && Height() > 0) {
        try {
            m_capturePending = !CaptureParentBeneath();
            return;
        } catch (...) {
            // The parent could not be drawn; the background colour stands in until the next paint.
        }
    }
    TCanvas& capture = m_captureBitmap->Canvas();
    capture.Brush().SetStyle(bsSolid);
    capture.Brush().SetColor(BackGroundColor());
    capture.FillRect(TRect{0, 0, Width(), Height()});
}

void TiVCLComponent::DrawBackGround(TCanvas& canvas, TColor color)
{
    if (m_paintingWithoutBackground)
        return;
    if (!m_transparent) {
        TiComponent::DrawBackGround(canvas, color);
        return;
    }
    ResetBackGroundChange();
    if (!m_captureBitmap) {
        m_captureBitmap = std::make_unique<TBitmap>();
        m_capturePending = true;
    }
    GetTransparentBitmap();
    canvas.Draw(0, 0, *m_captureBitmap);
}

void TiVCLComponent::RepaintAll()
{
    TiComponent::RepaintAll();
    RequestTransparentCapture();
}

// --- OPC binding ----------------------------------------------------------------------------

int TiVCLComponent::OPCAddItem() { return m_opcItemManager->Add(); }
int TiVCLComponent::OPCItemCount() const { return m_opcItemManager->GetCount(); }
void TiVCLComponent::OPCRemoveAllItems() { m_opcItemManager->Clear(); }
void TiVCLComponent::OPCDeleteItem(int index) { m_opcItemManager->Delete(index); }
void TiVCLComponent::OPCItemActivate(int index) { GetOPCItem(index)->Activate(); }
void TiVCLComponent::OPCItemDeactivate(int index) { GetOPCItem(index)->Deactivate(); }
void TiVCLComponent::OPCItemUpdateResume(int index) { GetOPCItem(index)->UpdateResume(); }
void TiVCLComponent::OPCItemUpdateSuspend(int index) { GetOPCItem(index)->UpdateSuspend(); }
void TiVCLComponent::OPCItemLoaded(int index) { GetOPCItem(index)->Loaded(); }
TiOPCItem* TiVCLComponent::GetOPCItem(int index) const { return m_opcItemManager->GetItem(index); }

void TiVCLComponent::SetOPCItemData(int index, const TVariant& value) { GetOPCItem(index)->SetData(value); }

void TiVCLComponent::SetOPCItemComputerName(int index, const std::string& value)
{
    GetOPCItem(index)->SetComputerName(value);
}

void TiVCLComponent::SetOPCItemServerName(int index, const std::string& value)
{
    GetOPCItem(index)->SetServerName(value);
}

void TiVCLComponent::SetOPCItemItemName(int index, const std::string& value) { GetOPCItem(index)->SetItemName(value); }

void TiVCLComponent::SetOPCItemPropertyName(int index, const std::string& value)
{
    GetOPCItem(index)->SetPropertyName(value);
}

void TiVCLComponent::SetOPCItemAutoConnect(int index, bool value) { GetOPCItem(index)->SetAutoConnect(value); }
void TiVCLComponent::SetOPCItemUpdateRate(int index, int value) { GetOPCItem(index)->SetUpdateRate(value); }
std::string TiVCLComponent::GetOPCItemComputerName(int index) const { return GetOPCItem(index)->ComputerName(); }
std::string TiVCLComponent::GetOPCItemServerName(int index) const { return GetOPCItem(index)->ServerName(); }
std::string TiVCLComponent::GetOPCItemItemName(int index) const { return GetOPCItem(index)->ItemName(); }
std::string TiVCLComponent::GetOPCItemPropertyName(int index) const { return GetOPCItem(index)->PropertyName(); }
bool TiVCLComponent::GetOPCItemAutoConnect(int index) const { return GetOPCItem(index)->AutoConnect(); }
int TiVCLComponent::GetOPCItemUpdateRate(int index) const { return GetOPCItem(index)->UpdateRate(); }
TVariant TiVCLComponent::GetOPCItemData(int index) const { return GetOPCItem(index)->Data(); }
uint16_t TiVCLComponent::GetOPCItemQuality(int index) const { return GetOPCItem(index)->Quality(); }
TDateTime TiVCLComponent::GetOPCItemTimeStamp(int index) const { return GetOPCItem(index)->TimeStamp(); }

void TiVCLComponent::OPCSetProperty(TPersistent* object, const std::string& prefix, const std::string& propertyName,
                                    const TVariant& value)
{
    if (!object)
        return;
    const bool hasPrefix = !Trim(prefix).empty();
    for (const TPropInfo* p : object->ClassInfo().Properties()) {
        if (!p->HasSetter())
            continue;
        const std::string path = hasPrefix ? prefix + "." + p->Name() : p->Name();
        if (p->Kind() == tkClass) {
            // Owned sub-objects only: a reference may lead to another component, or back here.
            if (p->IsOwnedObject())
                OPCSetProperty(dynamic_cast<TPersistent*>(p->GetObject(*object)), path, propertyName, value);
        } else if (SameText(path, propertyName)) {
            SetPropertyFromText(*object, *p, value.AsText());
        }
    }
}

void TiVCLComponent::OPCNewData(TObject* sender)
{
    auto* item = dynamic_cast<TiOPCItem*>(sender);
    if (!item || item->PropertyName().empty())
        return;
    const std::string propertyName = item->PropertyName();
    const int index = m_opcItemManager->FindIndex(item);
    TVariant data = item->Data();
    const bool qualityGood = item->GetQualityGood();
    OnBeforeNewOPCData(index, data);

    // The flag and the name stay for the whole delivery: only the incoming property is kept
    // from echoing back; what handlers change elsewhere is sent as usual.
    TScopedValue<bool> receiving(m_receivingOPCData, true);
    TScopedValue<std::string> receivingName(m_receivingPropertyName, propertyName);
    if (qualityGood && !OPCNewDataSpecial(propertyName, data))
        OPCSetProperty(this, "", propertyName, data);
    OnNewOPCData(index);
}

bool TiVCLComponent::OPCOutputData(const std::string& propertyName, const TVariant& value)
{
    if (m_receivingOPCData && SameText(propertyName, m_receivingPropertyName))
        return false;
    bool sent = false;
    for (int i = 0; i < m_opcItemManager->GetCount(); ++i) {
        TiOPCItem* item = m_opcItemManager->GetItem(i);
        if (item->GetActive() && SameText(item->PropertyName(), propertyName)) {
            item->SetData(value);
            sent = true;
        }
    }
    return sent;
}

bool TiVCLComponent::OPCNewDataSpecial(const std::string&, const TVariant&) { return false; }

void TiVCLComponent::UpdateOPCSpecialList() {}

void TiVCLComponent::DefineProperties(TFiler& filer)
{
    filer.DefineProperty(
        "OPCItems", [this](TReader& reader) { m_opcItemManager->ReadFromStream(reader); },
        [this](TWriter& writer) { m_opcItemManager->WriteToStream(writer); }, m_opcItemManager->DoWriteToStream());
    TiComponent::DefineProperties(filer);
}

// --- Picture export -------------------------------------------------------------------------

void TiVCLComponent::PaintLocked(TCanvas& canvas)
{
    TScopedLock<TiComponent> lock(*this);
    iPaintTo(canvas);
}

void TiVCLComponent::PaintToBitmap(TBitmap& bitmap)
{
    bitmap.SetSize(Width(), Height());
    PaintLocked(bitmap.Canvas());
}

void TiVCLComponent::SaveImageToMetaFile(const std::string& fileName)
{
    TMetafile metafile;
    metafile.SetWidth(Width());
    metafile.SetHeight(Height());
    {
        TMetafileCanvas canvas(metafile, "Pravix", "");
        PaintToMetaFile(canvas);
    }
    metafile.SaveToFile(fileName);
}

void TiVCLComponent::SaveImageToJPEG(const std::string& fileName, int compression, bool progressive)
{
    CheckJPEGCompression(compression);
    TBitmap bitmap;
    PaintToBitmap(bitmap);
    WriteBytes(fileName, EncodeJPEG(bitmap, compression, progressive, false));
}

void TiVCLComponent::SaveImageToPNG(const std::string& fileName, int compression)
{
    CheckPNGCompression(compression);
    TBitmap bitmap;
    PaintToBitmap(bitmap);
    WriteBytes(fileName, EncodePNG(bitmap, compression));
}

TVariant TiVCLComponent::GetBytesJPEG(int compression, bool progressive)
{
    CheckJPEGCompression(compression);
    TBitmap bitmap;
    PaintToBitmap(bitmap);
    return ByteArrayOf(EncodeJPEG(bitmap, compression, progressive, true));
}

TVariant TiVCLComponent::GetBytesPNG(int compression)
{
    CheckPNGCompression(compression);
    TBitmap bitmap;
    PaintToBitmap(bitmap);
    return ByteArrayOf(EncodePNG(bitmap, compression));
}

std::unique_ptr<TJPEGImage> TiVCLComponent::GetJPEG(int compression, bool progressive)
{
    CheckJPEGCompression(compression);
    TBitmap bitmap;
    PaintToBitmap(bitmap);
    auto image = std::make_unique<TJPEGImage>();
    image->SetCompressionQuality(compression);
    image->SetProgressiveEncoding(progressive);
    image->SetBestSpeed(false);
    image->Assign(bitmap);
    return image;
}

void TiVCLComponent::iPaintToDC(int x, int y, bool transparent, TCanvas& canvas)
{
    TCanvasStateSaver savedState(canvas);
    canvas.SetOrigin(TPoint{x, y});
    canvas.IntersectClipRect(TRect{0, 0, Width(), Height()});
    TScopedValue<bool> withoutBackground(m_paintingWithoutBackground, transparent);
    PaintToMetaFile(canvas);  // locked, with CachedDrawing off for the duration
}

// --- Themes ---------------------------------------------------------------------------------

void TiVCLComponent::GetThemePaths(std::string& predefinedPath, std::string& userPath)
{
    predefinedPath = ThemePath(PredefinedThemePathValue);
    userPath = ThemePath(UserThemePathValue);
}

void TiVCLComponent::ClearAllSchemes()
{
    // Owning lists: a category frees its scheme lists, the category list its categories.
    m_themeCategories->Clear();
}

void TiVCLComponent::LoadThemes()
{
    ClearAllSchemes();
    std::string predefinedPath;
    std::string userPath;
    GetThemePaths(predefinedPath, userPath);
    const auto load = [this](const std::string& fileName, const TClassInfo& schemeClass) {
        if (!std::filesystem::is_regular_file(fileName))
            return;
        TiXMLMemoryStream stream;
        stream.LoadFromFile(fileName);
        LoadAllThemes(stream, schemeClass);
    };
    load(predefinedPath + ClassName() + ".xml", TiPravixSchemeList::StaticClassInfo());
    load(userPath + ClassName() + "User.xml", TiUserSchemeList::StaticClassInfo());
}

void TiVCLComponent::LoadAllThemes(TiXMLMemoryStream& stream, const TClassInfo& schemeClass)
{
    std::string piece;
    std::string name;
    std::string value;
    stream.GotoElementStart("SchemeTypes");
    for (stream.PeekNextPiece(piece); piece == "SchemeType"; stream.PeekNextPiece(piece)) {
        stream.GotoElementStart("SchemeType");
        stream.GetElement("Name", name);
        TStringList* schemes = GetThemeCategoryListByName(name);
        for (stream.PeekNextPiece(piece); piece == "Scheme"; stream.PeekNextPiece(piece)) {
            stream.GotoElementStart("Scheme");
            stream.GetElement("Name", name);
            auto* scheme = dynamic_cast<TStringList*>(schemeClass.Create(nullptr));
            if (!scheme)
                throw Exception("Error Loading Scheme. XML File Malformed");
            schemes->AddObject(name, scheme);
            stream.GotoElementStart("Properties");
            for (stream.PeekNextPiece(piece); piece != "/Properties"; stream.PeekNextPiece(piece)) {
                stream.GetElement(piece, value);
                if (!piece.empty())
                    scheme->Add(piece + " = " + value);
            }
            ExpectPiece(stream, "/Properties");
            ExpectPiece(stream, "/Scheme");
        }
        ExpectPiece(stream, "/SchemeType");
    }
    ExpectPiece(stream, "/SchemeTypes");
}

TStringList* TiVCLComponent::GetThemeCategoryListByName(const std::string& name)
{
    const int index = m_themeCategories->IndexOf(name);
    if (index >= 0)
        return static_cast<TStringList*>(m_themeCategories->Objects(index));
    auto* schemes = new TStringList(true);
    m_themeCategories->AddObject(name, schemes);
    return schemes;
}

int TiVCLComponent::GetThemeCategoryCount() const { return m_themeCategories->Count(); }

std::string TiVCLComponent::GetThemeCategoryName(int index) const { return m_themeCategories->Strings(index); }

TStringList& TiVCLComponent::CategorySchemes(int categoryIndex) const
{
    return *static_cast<TStringList*>(m_themeCategories->Objects(categoryIndex));
}

TStringList& TiVCLComponent::SchemeList(int categoryIndex, int schemeIndex) const
{
    return *static_cast<TStringList*>(CategorySchemes(categoryIndex).Objects(schemeIndex));
}

int TiVCLComponent::GetThemeCategorySchemeCount(int categoryIndex) const
{
    return CategorySchemes(categoryIndex).Count();
}

std::string TiVCLComponent::GetThemeCategorySchemeName(int categoryIndex, int schemeIndex) const
{
    return CategorySchemes(categoryIndex).Strings(schemeIndex);
}

bool TiVCLComponent::GetThemeCategorySchemeIsUser(int categoryIndex, int schemeIndex) const
{
    return SchemeList(categoryIndex, schemeIndex).InheritsFrom(TiUserSchemeList::StaticClassInfo());
}

void TiVCLComponent::SeparateNameValue(const std::string& line, std::string& name, std::string& value)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        name.clear();
        value.clear();
        return;
    }
    name = Trim(line.substr(0, equals));
    // The blank of " = " is skipped; a value written right after "=" stays whole.
    std::size_t start = equals + 1;
    if (start < line.size() && line[start] == ' ')
        ++start;
    value = line.substr(start);
}

void TiVCLComponent::ApplyScheme(int categoryIndex, int schemeIndex)
{
    const TStringList& scheme = SchemeList(categoryIndex, schemeIndex);
    std::string name;
    std::string value;
    for (int i = 0; i < scheme.Count(); ++i) {
        SeparateNameValue(scheme.Strings(i), name, value);
        if (!name.empty())
            OPCSetProperty(this, "", name, TVariant(value));
    }
}
