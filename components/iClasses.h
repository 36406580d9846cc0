#pragma once
// Property text: an object's published properties as "Path = Value" lines and back, the
// small routines around it, the form-stream writer hook for collection items, and the
// two memory streams of the scheme files.
//
// Line format (every property file of the library is built on it):
//     Width = 120                  integers, chars, enumerations, sets, Booleans: decimal
//                                  ordinal, left out when equal to the declared default
//     Font.Color = -2147483640     colours are signed (system colours negative)
//     Span = 2.5                   floats always, "." as the decimal point
//     Caption = one#13#10two       strings always; CR, LF and a "#" before 13/10/35 escaped
// An owned sub-object has no line of its own; its properties follow with its path as the
// prefix. A line is at most 255 characters and is never cut inside an escape.
//
//     TStringList lines;
//     SaveObjectToStringList(&plot, "", lines, &skip);
//     lines.SaveToFile(name);               // CR LF after every line
//     ...
//     lines.LoadFromFile(name);
//     LoadObjectFromStringList(&plot, "", lines);   // bad numbers raise EConvertError

#include "platform/core/Component.h"
#include "platform/core/Streams.h"
#include "platform/core/StringList.h"

#include <string>
#include <string_view>

// String lists that differ from TStringList only by their class, which tells user
// schemes from the library's own.
class TiUserSchemeList : public TStringList {
    PRAVIX_CLASS(TiUserSchemeList, TStringList)
public:
    using TStringList::TStringList;
};

class TiPravixSchemeList : public TStringList {
    PRAVIX_CLASS(TiPravixSchemeList, TStringList)
public:
    using TStringList::TStringList;
};

// Appends the property lines of `instance`. A path (whole, ignoring case) found in `skip`
// is left out together with everything below it.
void SaveObjectToStringList(TObject* instance, const std::string& prefix, TStrings& lines,
                            const TStrings* skip = nullptr);

// Assigns properties from the lines, taking them from the top while they belong to
// `prefix` (their first path segment equals it, ignoring case; every line belongs to an
// empty prefix) and removing each line it takes. Lines naming no writable property of
// the instance, enumeration ordinals out of range and values of other kinds are passed
// over; sets are masked to their elements. Text that is no number for a number raises
// EConvertError; the lines before it are applied and removed.
void LoadObjectFromStringList(TObject* instance, const std::string& prefix, TStrings& lines);
// The same from line `index` on, removing nothing: `index` moves past each line taken (it
// stays on a line whose value raises). Reading a file of many objects this way costs one
// pass over its lines instead of a move of the rest of the list for every line.
void LoadObjectFromStringList(TObject* instance, const std::string& prefix, const TStrings& lines, int& index);

// Finds the first line whose trimmed name equals `name` (ignoring case): `value` gets its
// trimmed value and the line is removed. False when there is none.
bool GetPropertyValueString(const std::string& name, std::string& value, TStrings& lines);

// Splits at the first `separator`: both parts trimmed; both empty when it does not occur.
void SeparateStrings(std::string_view text, std::string_view separator, std::string& left, std::string& right);

// The object held by the published object-valued property `name`; nullptr otherwise.
TObject* GetObjectProperty(TObject* instance, const std::string& name);

// Writes the stored published properties of `instance` that have a getter and a setter
// through the form-stream writer, then its defined properties (DefineProperties).
class TWriter;
void WriterWriteProperties(TWriter& writer, TPersistent& instance);

// Copies the stored, writable ordinal, float and string properties of `source` to the
// properties of the same name and kind of `destination`; others are passed over.
void AssignObject(TObject* source, TObject* destination);

// A memory stream for text output in lines of at most 255 characters.
class TiMemoryStream : public TMemoryStream {
public:
    // Writes the characters only (no length, no terminator); more than 255 characters
    // raise EStreamError "String Exceeds 255 Characters".
    void WriteString(std::string_view s);
    void WriteCRLF();
    void WriteStringCRLF(std::string_view s);
    // The next byte; EStreamError "EOF" when none is left.
    char ReadChar();
};

// One XML element or tag per line, CR LF after each: "<Name>", "</Name>" or
// "<Name>Value</Name>". No declaration, attributes, indentation or escaping.
class TiXMLMemoryStream : public TiMemoryStream {
public:
    void StartElement(std::string_view name);
    void EndElement(std::string_view name);
    void WriteElement(std::string_view name, std::string_view value);

    // The name of the next start tag (end tags are passed over); a blank ends a name.
    void GetNameElementStart(std::string& name);
    // Reads start tags until one is named `name` (case-sensitive).
    void GotoElementStart(std::string_view name);
    // The text up to the next "<", which the next read sees again.
    void GetElementValue(std::string& value);
    // Reads the end tag at the position; EStreamError 'XML Parsing Error - "<" not Found'
    // or 'XML Parsing Error - "/" not Found' when there is none.
    void GetNameElementStop(std::string& name);
    // The value of the next element named `name`.
    void GetElement(std::string_view name, std::string& value);
    // After line ends: a tag's inside ("Name" or "/Name") or the text up to the next tag.
    void GetNextPiece(std::string& piece);
    // GetNextPiece without moving.
    void PeekNextPiece(std::string& piece);

private:
    void SkipPast(char c);
    std::string ReadTagName();
    void StepBack() { Seek(-1, soCurrent); }
};
