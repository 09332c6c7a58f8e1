#include "main/save_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "platform/qt_text.h"

namespace kelmora {
namespace {

constexpr int kIconSize = 16;
const QColor kProblemBack(0xFF, 0xE4, 0xE1);  // a pale red: something is not saved
const QColor kNoticeBack(0xE8, 0xF1, 0xFB);   // a pale blue: for information

}  // namespace

SaveBar::SaveBar(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    icon_ = new QLabel(this);
    icon_->setFixedSize(kIconSize, kIconSize);
    layout->addWidget(icon_, 0, Qt::AlignTop);
    text_ = new QLabel(this);
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(text_, 1);
    button_ = new QPushButton(this);
    // A click leaves the keyboard where it was; Tab still reaches it.
    button_->setFocusPolicy(Qt::TabFocus);
    button_->setAutoDefault(false);
    layout->addWidget(button_, 0, Qt::AlignTop);
    connect(button_, &QPushButton::clicked, this, [this] {
        if (kind_ == Kind::Problem) emit retryRequested();
        else emit dismissed();
    });
}

void SaveBar::setMessage(Kind kind, const QString& text) {
    kind_ = kind;
    text_->setText(text);
    button_->setText(kind == Kind::Problem ? japanese("再試行") : japanese("閉じる"));
    const QStyle::StandardPixmap pixmap =
        kind == Kind::Problem ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation;
    icon_->setPixmap(style()->standardIcon(pixmap).pixmap(kIconSize, kIconSize));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kind == Kind::Problem ? kProblemBack : kNoticeBack);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
}

QString SaveBar::text() const { return text_->text(); }

int SaveBar::heightAtWidth(int width) const { return layout()->totalHeightForWidth(width); }

}  // namespace kelmora
