#pragma once
// TiVCLComponent: the windowed layer of the library's self-drawn components.
//
// It gives TiComponent its lock (recursive, so painting code may call locked operations),
// its timer, transparent drawing over the parent, picture export, the binding of published
// properties to OPC items and the theme schemes:
//
//     gauge->TimerStart(0, 250);                       // a tick every 250 ms
//     gauge->SaveImageToPNG("gauge.png", 9);           // compression 0..9
//     int i = gauge->OPCAddItem();                     // Position follows an OPC item
//     gauge->SetOPCItemPropertyName(i, "Position");
//     gauge->SetOPCItemItemName(i, "Tank.Level");
//     gauge->OPCItemActivate(i);
//
// Incoming OPC values are written through the published setters (OPCSetProperty). A setter
// of a bound property reports a change with OPCOutputData, which sends it to the server
// unless the change is the incoming value of that very property.

#include "components/iComponent.h"
#include "components/iOPCItem.h"
#include "platform/gui/Timers.h"

#include <memory>
#include <mutex>
#include <string>

class TiXMLMemoryStream;
class TJPEGImage;
class TStringList;

class TiVCLComponent : public TiComponent {
    PRAVIX_CLASS(TiVCLComponent, TiComponent)
public:
    explicit TiVCLComponent(TComponent* owner);
    ~TiVCLComponent() override;

    // --- Lock and timer -------------------------------------------------------------------
    // Nest on one thread; do nothing while the component is being destroyed.
    void Lock() override;
    void Unlock() override;
    bool GetTimerRunning() override;
    // Nothing while running (not even the interval changes); the first tick after
    // firstInterval ms (after interval when it is 0), then every interval ms; (0, 0) does
    // not start.
    void TimerStart(int firstInterval, int interval) override;
    void TimerStop() override;
    TNotifyEvent OnInternalTimer;  // Sender = the component, on every tick

    // --- Transparency ---------------------------------------------------------------------
    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool value);
    void RequestTransparentCapture();
    void GetTransparentBitmap();
    bool TransparentCapturePending() const { return m_capturePending; }
    TBitmap* CaptureBitmap() const { return m_captureBitmap.get(); }
    void DrawBackGround(TCanvas& canvas, TColor color) override;
    void RepaintAll() override;
    void SetBounds(int left, int top, int width, int height) override;

    // --- OPC binding (a bad index raises the list-index error) ----------------------------
    TiOPCItemManager& OPCItemManager() const { return *m_opcItemManager; }
    int OPCAddItem();
    int OPCItemCount() const;
    void OPCRemoveAllItems();
    void OPCDeleteItem(int index);
    void OPCItemActivate(int index);
    void OPCItemDeactivate(int index);
    void OPCItemUpdateResume(int index);
    void OPCItemUpdateSuspend(int index);
    void OPCItemLoaded(int index);
    TiOPCItem* GetOPCItem(int index) const;
    void SetOPCItemData(int index, const TVariant& value);
    void SetOPCItemComputerName(int index, const std::string& value);
    void SetOPCItemServerName(int index, const std::string& value);
    void SetOPCItemItemName(int index, const std::string& value);
    void SetOPCItemPropertyName(int index, const std::string& value);
    void SetOPCItemAutoConnect(int index, bool value);
    void SetOPCItemUpdateRate(int index, int value);
    std::string GetOPCItemComputerName(int index) const;
    std::string GetOPCItemServerName(int index) const;
    std::string GetOPCItemItemName(int index) const;
    std::string GetOPCItemPropertyName(int index) const;
    bool GetOPCItemAutoConnect(int index) const;
    int GetOPCItemUpdateRate(int index) const;
    TVariant GetOPCItemData(int index) const;
    uint16_t GetOPCItemQuality(int index) const;
    TDateTime GetOPCItemTimeStamp(int index) const;

    // Sets every writable published property whose dotted path (below `prefix`) equals
    // `propertyName`, ignoring case, from the value's text; owned sub-objects are searched,
    // references to other components never. Numbers take "." or "," as the decimal point;
    // "True"/"False" are 1/0 for enumerations, and any text but "0" is 1 for a two-valued
    // one; an ordinal out of range is refused. Text that is no number for a number raises
    // EConvertError.
    void OPCSetProperty(TPersistent* object, const std::string& prefix, const std::string& propertyName,
                        const TVariant& value);
    // The manager's new-data callback (Sender = the item).
    void OPCNewData(TObject* sender);
    // Sends the value to every active item bound to the property; true when one was sent.
    // Nothing is sent for the property whose incoming value is being applied.
    bool OPCOutputData(const std::string& propertyName, const TVariant& value) override;
    // Extra OPC targets of a subclass besides its published properties.
    TStringList& OPCSpecialList() const { return *m_opcSpecialList; }
    virtual bool OPCNewDataSpecial(const std::string& propertyName, const TVariant& data);
    virtual void UpdateOPCSpecialList();

    TIndexObjectEvent OnNewOPCData;
    TBeforeOPCNewDataEvent OnBeforeNewOPCData;

    // --- Picture export -------------------------------------------------------------------
    // The component at its size. JPEG compression is the quality 1..100, PNG compression the
    // level 0..9; a value outside raises before anything is painted or written.
    void SaveImageToMetaFile(const std::string& fileName);
    void SaveImageToJPEG(const std::string& fileName, int compression, bool progressive);
    void SaveImageToPNG(const std::string& fileName, int compression);
    TVariant GetBytesJPEG(int compression, bool progressive);  // byte array indexed from 0
    TVariant GetBytesPNG(int compression);
    std::unique_ptr<TJPEGImage> GetJPEG(int compression, bool progressive);
    // Paints into a foreign canvas with the top-left corner at (x, y), clipped to the
    // component's rectangle; with `transparent` no background is drawn.
    void iPaintToDC(int x, int y, bool transparent, TCanvas& canvas);

    // --- Themes ---------------------------------------------------------------------------
    // The scheme folders of the registry, each ending in a separator (or empty).
    static void GetThemePaths(std::string& predefinedPath, std::string& userPath);
    void ClearAllSchemes();
    // Reads <class name>.xml from the pre-defined folder and <class name>User.xml from the
    // user folder; a missing file is skipped.
    void LoadThemes();
    // `schemeClass` is TiPravixSchemeList or TiUserSchemeList. A malformed file raises
    // "Error Loading Scheme. XML File Malformed"; schemes read before stay.
    void LoadAllThemes(TiXMLMemoryStream& stream, const TClassInfo& schemeClass);
    // The scheme list of the category (ignoring case), created empty when there is none.
    TStringList* GetThemeCategoryListByName(const std::string& name);
    int GetThemeCategoryCount() const;
    std::string GetThemeCategoryName(int index) const;
    int GetThemeCategorySchemeCount(int categoryIndex) const;
    std::string GetThemeCategorySchemeName(int categoryIndex, int schemeIndex) const;
    bool GetThemeCategorySchemeIsUser(int categoryIndex, int schemeIndex) const;
    // "Name = Value": Name trimmed, Value after the blank that follows "="; both empty
    // without "=".
    static void SeparateNameValue(const std::string& line, std::string& name, std::string& value);
    void ApplyScheme(int categoryIndex, int schemeIndex);

    void DefineProperties(TFiler& filer) override;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void DoEnter(TWinControl* from) override;
    void DoExit(TWinControl* to) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    // A key the component claims through iWantSpecialKey reaches it even when it does not
    // want all keys.
    bool WantsKey(int key) const override;
    void ColorChanged() override;

private:
    void InternalTimer();
    bool CaptureParentBeneath();
    void PaintLocked(TCanvas& canvas);
    void PaintToBitmap(TBitmap& bitmap);
    TStringList& SchemeList(int categoryIndex, int schemeIndex) const;
    TStringList& CategorySchemes(int categoryIndex) const;

    // Fields in their specified order; the hidden timer window is the component timer.
    bool m_paintingWithoutBackground = false;
    std::unique_ptr<TBitmap> m_captureBitmap;
    std::recursive_mutex m_lock;
    bool m_transparent = false;
    std::unique_ptr<TiOPCItemManager> m_opcItemManager;
    std::unique_ptr<TStringList> m_opcSpecialList;
    bool m_receivingOPCData = false;
    std::string m_receivingPropertyName;
    TComponentTimer m_timer;
    std::unique_ptr<TStringList> m_themeCategories;
    bool m_capturePending = false;
};
