#pragma once
// Form descriptions: the text form of a component and everything it owns, from which
// forms are built. UTF-8 text, free layout:
//
//     TMainForm MainForm {
//       Caption = "ZUV \"Host\""
//       Width = 640
//       Span = 2.5
//       Align = alClient
//       Font.Style = [fsBold, fsItalic]
//       Items = ("one", "two")
//       PopupMenu = Menu1
//       @ChannelManager = < { Name = "Channel 1" } { Name = "Channel 2" } >
//       @ImageList0 = #89504E47
//       TPanel Panel1 {
//         TButton OkButton { Caption = "OK" }
//       }
//     }
//
// Values: integers; floats with "." (NaN, Inf, -Inf too); strings in double quotes with
// \\ \" \n \r \t \xHH escapes (\xHH is a Windows-1252 byte); enumeration value names and
// True / False; colour constants (clRed, clBtnFace) for TColor properties, which are also
// written so when the value has a name; sets [a, b]; string lists ("a", "b"); references
// to components by name; binary data # followed by hex digits; collections
// < { assignments } ... > (defined properties only). Sub-objects are assigned by dotted path.
// `@` entries are the object's defined properties (TPersistent::DefineProperties).
// Reading creates each object through the class registry with the root as owner, names
// it, marks it loading, gives it its parent (SetParentComponent), assigns its
// properties; after the whole description it calls Loaded() on every object read, in
// creation order (the root first), and clears their loading state. Malformed text and
// bad values raise EFormDescriptionError naming the line and the property.

#include "platform/core/Component.h"

#include <string>
#include <string_view>

class EFormDescriptionError : public EStreamError {
public:
    EFormDescriptionError(int line, std::string property, const std::string& message);
    int Line() const { return m_line; }
    const std::string& PropertyName() const { return m_property; }
    // The message without the line and property.
    const std::string& Reason() const { return m_reason; }

private:
    int m_line;
    std::string m_property;
    std::string m_reason;
};

// Creates the root object (owned by `owner`) and everything the description holds.
// On failure nothing created stays behind.
TComponent* CreateComponentFromText(std::string_view utf8Text, TComponent* owner);
// Fills an existing root (a form reading its own description). The description's class
// must be the root's class or one of its ancestors. A child whose name the root already
// owns is read into that component instead of a new one. On failure the components read
// so far stay with the root.
void ReadComponentFromText(TComponent& root, std::string_view utf8Text);
// The root and its owned components, each inside the block of its parent component.
std::string WriteComponentToText(TComponent& root);
