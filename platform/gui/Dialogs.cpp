#include "platform/gui/Dialogs.h"

#include "platform/canvas/Printer_p.h"
#include "platform/canvas/QtBridge_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/gui/Application.h"
#include "platform/gui/Modal_p.h"
#include "platform/gui/TestHooks.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>

namespace {

using TestHooks::TModalKind;
using TestHooks::TModalScript;

QWidget* DialogParent() { return QApplication::activeWindow(); }

TModalResult DefaultAnswer(const TMsgDlgButtons& buttons)
{
    for (auto [button, result] : {std::pair{mbYes, mrYes}, {mbOK, mrOk}, {mbCancel, mrCancel}, {mbNo, mrNo}}) {
        if (buttons.count(button))
            return result;
    }
    return mrOk;
}

TModalResult ScriptedMessage(TModalScript& script, TestHooks::TMessageRecord record)
{
    script.Shown.push_back(record.Kind);
    script.Messages.push_back(record);
    return script.OnMessage ? script.OnMessage(record) : DefaultAnswer(record.Buttons);
}

struct ButtonInfo {
    TMsgDlgBtn button;
    QMessageBox::StandardButton qt;
    TModalResult result;
};

constexpr ButtonInfo kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},
    {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},
    {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},
    {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
};

QMessageBox::Icon IconFor(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

// Runs a real message box; its nested loop keeps timers and posted calls running.
TModalResult ShowRealBox(const std::string& caption, const std::string& text, TMsgDlgType type,
                         const TMsgDlgButtons& buttons)
{
    QMessageBox box(IconFor(type), ToQString(caption), ToQString(text), QMessageBox::NoButton, DialogParent());
    for (const ButtonInfo& b : kButtons) {
        if (buttons.count(b.button))
            box.addButton(b.qt);
    }
    if (box.buttons().isEmpty())
        box.addButton(QMessageBox::Ok);
    const int answer = box.exec();
    for (const ButtonInfo& b : kButtons) {
        if (answer == b.qt)
            return b.result;
    }
    return mrCancel;
}

std::string NormalisedExt(const std::string& defaultExt)
{
    std::string ext = defaultExt;
    while (!ext.empty() && (ext.front() == '*' || ext.front() == '.'))
        ext.erase(ext.begin());
    return ext;
}

bool RunRealFileDialog(TFileDialogRequest& r)
{
    QFileDialog dialog(DialogParent(), ToQString(r.Title), PathToQString(r.InitialDir),
                       ToQString(FilterToQtFilter(r.Filter)));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(r.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (r.Save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else
        dialog.setFileMode(r.AllowMultiSelect ? QFileDialog::ExistingFiles
                                              : (r.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.OverwritePrompt);
    dialog.setDefaultSuffix(QString::fromStdString(NormalisedExt(r.DefaultExt)));
    const QStringList filters = dialog.nameFilters();
    if (r.FilterIndex >= 1 && r.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[r.FilterIndex - 1]);
    if (!r.FileName.empty())
        dialog.selectFile(PathToQString(r.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    r.Files.clear();
    for (const QString& f : dialog.selectedFiles())
        r.Files.push_back(PathFromQString(f));
    r.FileName = r.Files.front();
    const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
    if (index >= 0)
        r.FilterIndex = int(index) + 1;
    return true;
}

}  // namespace

std::string MessageDlgCaption(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    default: return "";
    }
}

TModalResult MessageBox(const std::string& text, const std::string& caption)
{
    if (TModalScript* script = TModalScript::Active())
        return ScriptedMessage(*script, {TModalKind::MessageBox, caption, text, mtCustom, {mbOK}});
    return ShowRealBox(caption, text, mtCustom, {mbOK});
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, const TMsgDlgButtons& buttons)
{
    const std::string caption = MessageDlgCaption(type);
    if (TModalScript* script = TModalScript::Active())
        return ScriptedMessage(*script, {TModalKind::MessageDlg, caption, text, type, buttons});
    return ShowRealBox(caption, text, type, buttons);
}

TModalResult ShowErrorBox(const std::string& caption, const std::string& text)
{
    if (TModalScript* script = TModalScript::Active())
        return ScriptedMessage(*script, {TModalKind::ErrorBox, caption, text, mtError, {mbOK}});
    return ShowRealBox(caption, text, mtError, {mbOK});
}

void Beep()
{
    CountBeep();
    if (QApplication::instance())
        QApplication::beep();
}

std::string FilterToQtFilter(const std::string& filter)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= filter.size()) {
        const auto bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    std::string result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns = parts[i + 1];
        for (char& c : patterns) {
            if (c == ';')
                c = ' ';
        }
        if (!result.empty())
            result += ";;";
        result += parts[i] + " (" + patterns + ")";
    }
    return result;
}

std::string AppendDefaultExt(const std::string& fileName, const std::string& defaultExt)
{
    const std::string ext = NormalisedExt(defaultExt);
    if (ext.empty() || fileName.empty())
        return fileName;
    const auto slash = fileName.find_last_of("/\\");
    const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (base.empty() || base.find('.') != std::string::npos)
        return fileName;
    return fileName + "." + ext;
}

bool ExecuteFileDialog(TFileDialogRequest& request)
{
    TFileDialogRequest work = request;
    bool confirmed;
    if (TModalScript* script = TModalScript::Active()) {
        script->Shown.push_back(work.Save ? TModalKind::SaveDialog : TModalKind::OpenDialog);
        script->FileDialogs.push_back(work);
        confirmed = script->OnFileDialog && script->OnFileDialog(work);
        if (confirmed && work.Files.empty())
            work.Files.push_back(work.FileName);
    } else {
        confirmed = RunRealFileDialog(work);
    }
    if (!confirmed || work.FileName.empty())
        return false;
    if (work.Save) {
        work.FileName = AppendDefaultExt(work.FileName, work.DefaultExt);
        work.Files = {work.FileName};
    }
    request = work;
    return true;
}

void TOpenDialog::Prepare(TFileDialogRequest& r) const
{
    r.Title = Title;
    r.Filter = Filter;
    r.FilterIndex = FilterIndex;
    r.DefaultExt = DefaultExt;
    r.InitialDir = InitialDir;
    r.FileName = FileName;
    r.FileMustExist = FileMustExist;
    r.AllowMultiSelect = AllowMultiSelect;
}

void TSaveDialog::Prepare(TFileDialogRequest& r) const
{
    TOpenDialog::Prepare(r);
    r.Save = true;
    r.AllowMultiSelect = false;
    r.OverwritePrompt = OverwritePrompt;
    r.PathMustExist = PathMustExist;
}

bool TOpenDialog::Execute()
{
    TFileDialogRequest request;
    Prepare(request);
    if (!ExecuteFileDialog(request))
        return false;
    FileName = request.FileName;
    Files = request.Files;
    FilterIndex = request.FilterIndex;
    return true;
}

bool ExecuteColorDialog(TColorRequest& request)
{
    TColorRequest work = request;
    work.Color = FromQRgb(ToQColor(work.Color).rgb());
    bool confirmed;
    if (TModalScript* script = TModalScript::Active()) {
        script->Shown.push_back(TModalKind::ColorDialog);
        script->ColorDialogs.push_back(work);
        confirmed = script->OnColorDialog && script->OnColorDialog(work);
    } else {
        for (int i = 0; i < 16; ++i)
            QColorDialog::setCustomColor(i, ToQColor(work.CustomColors[std::size_t(i)]));
        QColorDialog dialog(ToQColor(work.Color), DialogParent());
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        confirmed = dialog.exec() == QDialog::Accepted;
        if (confirmed) {
            work.Color = FromQRgb(dialog.selectedColor().rgb());
            for (int i = 0; i < 16; ++i)
                work.CustomColors[std::size_t(i)] = FromQRgb(QColorDialog::customColor(i).rgb());
        }
    }
    if (confirmed)
        request = work;
    return confirmed;
}

bool TColorDialog::Execute()
{
    TColorRequest request{Color, CustomColors};
    if (!ExecuteColorDialog(request))
        return false;
    Color = request.Color;
    CustomColors = request.CustomColors;
    return true;
}

namespace {

// A small square of the colour, for the colour button.
QIcon ColourSwatch(TColor colour)
{
    QPixmap swatch(16, 16);
    swatch.fill(ToQColor(colour));
    return QIcon(swatch);
}

// The real font dialog: a form of the font's parts, a sample of the font as chosen so far in
// its colour, OK and Cancel.
bool RunRealFontDialog(TFontData& font)
{
    QDialog dialog(DialogParent());
    dialog.setWindowTitle(QStringLiteral("Font"));
    auto* form = new QFormLayout(&dialog);
    auto* face = new QFontComboBox(&dialog);
    face->setCurrentFont(MakeQFont(font));
    face->setEditText(ToQString(font.Name));
    TFont start;
    start.SetData(font);
    auto* size = new QSpinBox(&dialog);
    size->setRange(1, 999);
    size->setValue(start.GetSize());
    auto* charset = new QSpinBox(&dialog);
    charset->setRange(0, 255);
    charset->setValue(font.Charset);
    form->addRow(QStringLiteral("Font:"), face);
    form->addRow(QStringLiteral("Size:"), size);
    const std::pair<TFontStyle, const char*> styles[] = {
        {fsBold, "Bold"}, {fsItalic, "Italic"}, {fsUnderline, "Underline"}, {fsStrikeOut, "Strikeout"}};
    std::vector<std::pair<TFontStyle, QCheckBox*>> boxes;
    for (auto [style, name] : styles) {
        auto* box = new QCheckBox(QString::fromLatin1(name), &dialog);
        box->setChecked(font.Style.count(style) > 0);
        form->addRow(QString(), box);
        boxes.push_back({style, box});
    }
    TColorRequest colour{font.Color, {}};
    colour.CustomColors.fill(clWhite);
    auto* colourButton = new QPushButton(QStringLiteral("Colour..."), &dialog);
    colourButton->setAutoDefault(false);
    form->addRow(QStringLiteral("Colour:"), colourButton);
    form->addRow(QStringLiteral("Character set:"), charset);
    auto* sample = new QLabel(QStringLiteral("AaBbYyZz"), &dialog);
    sample->setAlignment(Qt::AlignCenter);
    sample->setMinimumHeight(48);
    sample->setFrameShape(QFrame::StyledPanel);
    form->addRow(QStringLiteral("Sample:"), sample);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);

    auto chosen = [&] {
        TFont result;
        result.SetData(font);
        result.SetName(FromQString(face->currentText()));
        result.SetSize(size->value());
        TFontStyles picked;
        for (auto [style, box] : boxes) {
            if (box->isChecked())
                picked.insert(style);
        }
        result.SetStyle(picked);
        result.SetColor(colour.Color);
        result.SetCharset(charset->value());
        return result.Data();
    };
    auto showChoice = [&] {
        const TFontData now = chosen();
        sample->setFont(MakeQFont(now));
        QPalette palette = sample->palette();
        palette.setColor(QPalette::WindowText, ToQColor(now.Color));
        sample->setPalette(palette);
        colourButton->setIcon(ColourSwatch(now.Color));
    };
    QObject::connect(colourButton, &QPushButton::clicked, [&] {
        ExecuteColorDialog(colour);
        showChoice();
    });
    QObject::connect(face, &QFontComboBox::currentTextChanged, showChoice);
    QObject::connect(size, &QSpinBox::valueChanged, showChoice);
    for (auto [style, box] : boxes)
        QObject::connect(box, &QCheckBox::toggled, showChoice);
    showChoice();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = chosen();
    return true;
}

}  // namespace

bool ExecuteFontDialog(TFontData& font)
{
    TFontData work = font;
    bool confirmed;
    if (TModalScript* script = TModalScript::Active()) {
        script->Shown.push_back(TModalKind::FontDialog);
        script->FontDialogs.push_back(work);
        confirmed = script->OnFontDialog && script->OnFontDialog(work);
    } else {
        confirmed = RunRealFontDialog(work);
    }
    if (confirmed)
        font = work;
    return confirmed;
}

bool TFontDialog::Execute()
{
    TFontData data = m_font.Data();
    if (!ExecuteFontDialog(data))
        return false;
    m_font.SetData(data);
    return true;
}

bool TPrintDialog::Execute()
{
    if (TModalScript* script = TModalScript::Active()) {
        script->Shown.push_back(TModalKind::PrintDialog);
        return script->OnPrintDialog && script->OnPrintDialog();
    }
    QPrintDialog dialog(PrinterDevice(), DialogParent());
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (confirmed)
        PrinterSelectedByDialog();
    return confirmed;
}
