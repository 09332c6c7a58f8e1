// What the settings dialog's controls do to the working copies, and OK,
// which writes them to the settings file and hands them to the calendar.

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>

#include "main/TForm1.h"
#include "main/calendar_look.h"
#include "platform/colours.h"
#include "platform/owner_draw_grid.h"
#include "platform/qt_text.h"
#include "settei/colour_list.h"
#include "settei/settings_dialog.h"

namespace kelmora {
namespace {

std::uint8_t styleOf(const QFont& font) {
    return static_cast<std::uint8_t>((font.bold() ? StyleBold : 0) | (font.italic() ? StyleItalic : 0) |
                                     (font.underline() ? StyleUnderline : 0) | (font.strikeOut() ? StyleStrikeOut : 0));
}

}  // namespace

void TForm2::repaintPreviews() {
    dg2->viewport()->update();
    dg3->viewport()->update();
}

// --- sizes and text positions -----------------------------------------------------

void TForm2::TBar1Change() {
    const int width = TBar1->value();
    dg2->setDefaultColWidth(width);
    dg3->setDefaultColWidth(width);
    memo.width = width;
    Label1->setText(QString::number(width));
}

void TForm2::TBar2Change() {
    const int height = TBar2->value();
    Label9->setText(QString::number(height));
    dg2->setRowHeight(2, height);
    dg3->setRowHeight(1, height);
    memo.height = height;
}

void TForm2::weekboxChange() {
    if (weekbox->currentIndex() >= 0) header.textpos = weekbox->currentIndex();
    repaintPreviews();
}

void TForm2::CBox1Change() {
    if (CBox1->currentIndex() >= 0) date.textpos = CBox1->currentIndex();
    repaintPreviews();
}

// --- fonts ---------------------------------------------------------------------------

// A face the picker offers in place of a stored one (a stand-in for a face
// that is not installed) keeps the stored name, so that changing only the
// size or style does not rename the face.
bool TForm2::takeFont(const QFont& picked, std::string& name, std::int32_t& size, std::uint8_t& style) {
    std::string face = name;
    if (QFontInfo(fontOf(Tfontset{size, name, style, 0, 0, 0})).family() != picked.family()) {
        QString unencodable;
        std::optional<std::string> encoded = toCp932(picked.family(), &unencodable);
        if (!encoded) {
            // The character has no CP932 form: the message goes as Qt's text.
            calendar_.dialogs().informText(
                japanese("フォント名の文字「%1」は設定ファイルに保存できないため、このフォントは使えません。")
                    .arg(unencodable));
            return false;
        }
        face = *encoded;
    }
    name = face;
    size = picked.pointSize() > 0 ? picked.pointSize() : QFontInfo(picked).pointSize();
    style = styleOf(picked);
    return true;
}

void TForm2::btnweekfontClick() {
    if (auto picked = calendar_.dialogs().pickFont(fontOf(header.font), kBandFontMax))
        takeFont(*picked, header.font.name, header.font.size, header.font.style);
    dg2->setRowHeight(0, calendar_.fontRowHeight(header.font.size));
    repaintPreviews();
}

void TForm2::btndayfontClick() {
    if (auto picked = calendar_.dialogs().pickFont(fontOf(date.font), kBandFontMax))
        takeFont(*picked, date.font.name, date.font.size, date.font.style);
    dg2->setRowHeight(1, calendar_.fontRowHeight(date.font.size));
    dg3->setRowHeight(0, calendar_.fontRowHeight(date.font.size));
    repaintPreviews();
}

void TForm2::btnmemofontClick() {
    if (auto picked = calendar_.dialogs().pickFont(fontOf(memo.font), kBandFontMax))
        takeFont(*picked, memo.font.name, memo.font.size, memo.font.style);
    repaintPreviews();
}

void TForm2::Button1Click() {
    auto picked = calendar_.dialogs().pickFont(titleFontOf(title), kTitleFontMax);
    if (!picked || !takeFont(*picked, title.name, title.size, title.style)) return;
    lbltitle->setFont(titleFontOf(title));
    centreTitle();
}

// --- colours -------------------------------------------------------------------------

void TForm2::setcolor(int slot) {
    listColour(slot) = TColourList::colourAt(colorcombo[slot]->currentIndex());
    showTitleColours();
    repaintPreviews();
}

void TForm2::backcolorset(int slot) {
    const std::optional<Colour> picked = calendar_.dialogs().pickColour();
    if (!picked) return;
    buttonColour(slot) = *picked;
    showTitleColours();
    btnbackcolor[slot]->update();
    repaintPreviews();
}

// The button shows the colour it sets, its caption on it in black or white,
// whichever reads; faded while the button is disabled.
void TForm2::drawbuttoncolor(int slot, QPainter& p, const QRect& rect, TOwnerDrawState state) {
    QColor fill = toQColor(buttonColour(slot));
    const bool dark = 299 * fill.red() + 587 * fill.green() + 114 * fill.blue() < 128 * 1000;  // as the eye weighs them
    QColor text = dark ? QColor(Qt::white) : QColor(Qt::black);
    if (state.disabled) {
        const QColor face = btnbackcolor[slot]->palette().color(QPalette::Button);
        fill =
            QColor((fill.red() + face.red()) / 2, (fill.green() + face.green()) / 2, (fill.blue() + face.blue()) / 2);
        text = btnbackcolor[slot]->palette().color(QPalette::Disabled, QPalette::ButtonText);
    }
    p.fillRect(rect, fill);
    p.setPen(text);
    p.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, btnbackcolor[slot]->text());
}

// --- the other controls ----------------------------------------------------------------

void TForm2::rbtodayonClick() {
    const bool on = rbtodayon->isChecked();
    Label16->setEnabled(on);
    btnbackcolor[9]->setEnabled(on);
    dg3->viewport()->update();
}

void TForm2::cb_hnameClick() {
    date.holiname = cb_hname->isChecked();
    dg2->viewport()->update();
}

void TForm2::RadioB1Click() {
    deleteOldFiles = !RadioB1->isChecked();
    for (QWidget* w :
         {static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(ComboBox1Label), static_cast<QWidget*>(Memo1)})
        w->setEnabled(deleteOldFiles);
}

void TForm2::cbx_jouchuuClick() { trayTouched = true; }

// --- OK and Cancel -----------------------------------------------------------------------

Settings TForm2::chosenSettings() const {
    Settings s = calendar_.settings;
    s.trayResidence = cbx_jouchuu->isChecked();
    s.mondayStart = rb_monstart->isChecked();
    s.title = title;
    s.windowColour = windowColour;
    s.header = header;
    s.date = date;
    s.memo = memo;
    s.todayMark = rbtodayon->isChecked();
    s.todayColour = todayColour;
    s.arrowColour = arrowColour;
    s.deleteOldFiles = deleteOldFiles;
    s.keepMonths = keepMonths;
    return s;
}

// The weekly days off go to the calendar first; then the file is written in
// one piece. A refused write is reported, nothing else is applied, and the
// dialog stays open. The calendar shows the new look once the dialog has
// closed (TForm1::setteiClick).
void TForm2::btnokClick() {
    Settings& current = calendar_.settings;
    for (int d = 0; d < 7; ++d) current.weeklyHolidays[d] = ckbweek[d]->isChecked();

    Settings chosen = chosenSettings();
    if (WriteError error = calendar_.settingsFile().writeDialogKeys(chosen)) {
        calendar_.dialogs().ask(MessageIcon::Error, Buttons::Ok, *error);
        return;
    }

    // Ticked and unticked again: the icon stays as it is.
    if (trayTouched && chosen.trayResidence != current.trayResidence) {
        if (chosen.trayResidence)
            calendar_.addTrayIcon();
        else
            calendar_.removeTrayIcon();
    }
    current = chosen;
    accept();
}

void TForm2::btncancelClick() { reject(); }

}  // namespace kelmora
