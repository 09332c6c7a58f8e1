#include "about/about_box.h"

#include <QDesktopServices>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "PdCtrls/focus_label.h"
#include "main/program_version.h"
#include "platform/dialog_font.h"
#include "platform/program_icon.h"
#include "platform/screen_centre.h"

namespace kelmora {

namespace {

QLabel* placeLabel(QWidget* parent, const char* utf8, const QFont& font, QPoint at) {
    auto* label = new QLabel(QString::fromUtf8(utf8), parent);
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return label;
}

// The room the data folder's two lines take below the home page.
constexpr int kFolderLineHeight = 48;

}  // namespace

Tfrmversion::Tfrmversion(const QString& dataFolder, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("バージョン情報"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(dialogFont(12));
    setFixedSize(409, 243 + kFolderLineHeight);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setGeometry(8, 8, 385, 193 + kFolderLineHeight);
    Panel1->setAutoFillBackground(true);

    Image1 = new QLabel(Panel1);
    Image1->setPixmap(programIcon().pixmap(32, 32));
    Image1->setGeometry(72, 16, 32, 32);

    Label1 = placeLabel(Panel1, "Kelmora", dialogFont(20, true), {112, 24});
    Label2 = placeLabel(Panel1, "", dialogFont(19, false, true), {160, 56});
    Label2->setText(QString::fromUtf8("version　%1").arg(QLatin1String(kProgramVersion)));
    Label2->adjustSize();
    Label3 = placeLabel(Panel1, "予定を書き込む月めくりカレンダー", dialogFont(16), {112, 96});
    Label4 = placeLabel(Panel1, "ホームページ", dialogFont(16), {64, 128});

    Label5 = new TFocusLabel(Panel1);
    Label5->setFont(dialogFont(16));
    Label5->setFontColor(QColor(0, 0, 255));
    Label5->setColor(Qt::white);
    Label5->setCaption(QString::fromLatin1(kHomePage));
    Label5->move(64, 152);
    connect(Label5, &TFocusLabel::OnClick, this, &Tfrmversion::Label5Click);

    Label6 = placeLabel(Panel1, "データの保存先", dialogFont(16), {64, 184});
    const QString folder = QDir::toNativeSeparators(dataFolder);
    Label7 = placeLabel(Panel1, "", dialogFont(12), {64, 208});
    const int width = Panel1->width() - Label7->x() - 8;
    Label7->setText(Label7->fontMetrics().elidedText(folder, Qt::ElideMiddle, width));
    Label7->setToolTip(folder);
    Label7->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label7->adjustSize();

    Button1 = new QPushButton(QString::fromUtf8("閉じる"), this);
    Button1->setGeometry(152, 208 + kFolderLineHeight, 81, 33);
    connect(Button1, &QPushButton::clicked, this, &Tfrmversion::Button1Click);
}

void Tfrmversion::Label5Click() {
    QDesktopServices::openUrl(QUrl(Label5->Caption()));
    // A visited link turns purple.
    Label5->setFontColor(QColor(kVisitedColour & 0xFF, (kVisitedColour >> 8) & 0xFF, (kVisitedColour >> 16) & 0xFF));
}

void Tfrmversion::Button1Click() { accept(); }

void Tfrmversion::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
}

}  // namespace kelmora
