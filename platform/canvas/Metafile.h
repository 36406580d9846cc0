#pragma once
// Metafiles: a display list of canvas primitives that can be replayed stretched into any
// rectangle of any canvas (print preview, printing, clipboard) and saved as a real
// enhanced metafile (.emf).

#include "platform/canvas/CanvasRecord.h"
#include "platform/canvas/VisualLayer.h"

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

class TMetafile {
public:
    int GetWidth() const { return m_width; }
    void SetWidth(int value) { m_width = value; }
    int GetHeight() const { return m_height; }
    void SetHeight(int value) { m_height = value; }
    const std::string& GetCreator() const { return m_creator; }
    const std::string& GetDescription() const { return m_description; }
    void SetDescription(const std::string& creator, const std::string& description);

    const std::vector<TCanvasRecord>& Records() const { return m_records; }
    void Clear();
    bool Empty() const { return m_records.empty(); }
    void Assign(const TMetafile& source);

    // Replays the display list with (0, 0, Width, Height) mapped onto r; pens, fonts and
    // hatches scale with the drawing.
    void Play(TCanvas& canvas, const TRect& r) const;

    // Enhanced metafile bytes: header bounds in pixels, frame in 0.01 mm on a 96-dpi
    // reference device, description creator NUL description NUL NUL in UTF-16.
    TBytes SaveToBytes() const;
    void SaveToFile(const std::string& fileName) const;
    // Reads a metafile written by SaveToBytes (and the same kinds of records from other
    // writers). A file that is not an enhanced metafile raises "Invalid metafile" and
    // leaves this one unchanged.
    void LoadFromBytes(const TBytes& bytes);
    void LoadFromFile(const std::string& fileName);

private:
    friend class TMetafileCanvas;
    int m_width = 0;
    int m_height = 0;
    std::string m_creator;
    std::string m_description;
    std::vector<TCanvasRecord> m_records;
};

// The picture object the print preview shows: holds a metafile snapshot.
class TPicture {
public:
    TMetafile& Metafile() { return m_metafile; }
    const TMetafile& Metafile() const { return m_metafile; }
    bool Empty() const { return m_metafile.Empty(); }
    int GetWidth() const { return m_metafile.GetWidth(); }
    int GetHeight() const { return m_metafile.GetHeight(); }
    void StretchDraw(TCanvas& canvas, const TRect& r) const { m_metafile.Play(canvas, r); }

private:
    TMetafile m_metafile;
};

// Records everything drawn on it into the metafile, which it clears first and which must
// outlive it.
class TMetafileCanvas : public TCanvas {
public:
    TMetafileCanvas(TMetafile& metafile, const std::string& creator, const std::string& description);
};
