#include "platform/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>

#include "platform/colours.h"
#include "platform/font_picker.h"
#include "platform/qt_text.h"

namespace kelmora {

Answer MessageBoxDialogs::ask(MessageIcon icon, Buttons buttons, const std::string& text) {
    return show(icon, buttons, toQString(text));
}

void MessageBoxDialogs::informText(const QString& text) { show(MessageIcon::Information, Buttons::Ok, text); }

Answer MessageBoxDialogs::show(MessageIcon icon, Buttons buttons, const QString& text) {
    QMessageBox box(parent_);
    box.setWindowTitle(QStringLiteral("Kelmora"));
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (icon) {
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    struct Choice {
        const char* caption;
        QMessageBox::ButtonRole role;
        Answer answer;
    };
    auto add = [&](std::initializer_list<Choice> choices) {
        QPushButton* first = nullptr;
        for (const Choice& c : choices) {
            QPushButton* b = box.addButton(QString::fromUtf8(c.caption), c.role);
            b->setProperty("answer", static_cast<int>(c.answer));
            if (!first) first = b;
        }
        box.setDefaultButton(first);
    };
    switch (buttons) {
        case Buttons::Ok: add({{"OK", QMessageBox::AcceptRole, Answer::Ok}}); break;
        case Buttons::OkCancel:
            add({{"OK", QMessageBox::AcceptRole, Answer::Ok}, {"キャンセル", QMessageBox::RejectRole, Answer::Cancel}});
            break;
        case Buttons::YesNo:
            add({{"はい(&Y)", QMessageBox::YesRole, Answer::Yes}, {"いいえ(&N)", QMessageBox::NoRole, Answer::No}});
            break;
        case Buttons::AbortRetry:
            add({{"中止(&A)", QMessageBox::RejectRole, Answer::Abort},
                 {"再試行(&R)", QMessageBox::AcceptRole, Answer::Retry}});
            break;
        case Buttons::AbortRetryIgnore:
            add({{"中止(&A)", QMessageBox::RejectRole, Answer::Abort},
                 {"再試行(&R)", QMessageBox::AcceptRole, Answer::Retry},
                 {"無視(&I)", QMessageBox::DestructiveRole, Answer::Ignore}});
            break;
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    // Closed by the close box or Escape, or ended with the program (a
    // termination signal ends every event loop): the answer that changes
    // nothing.
    if (!clicked) {
        switch (buttons) {
            case Buttons::Ok: return Answer::Ok;
            case Buttons::OkCancel: return Answer::Cancel;
            case Buttons::YesNo: return Answer::No;
            case Buttons::AbortRetry:
            case Buttons::AbortRetryIgnore: return Answer::Abort;
        }
    }
    return static_cast<Answer>(clicked->property("answer").toInt());
}

std::optional<Colour> MessageBoxDialogs::pickColour() {
    QColor chosen = QColorDialog::getColor(toQColor(lastColour_), parent_);
    if (!chosen.isValid()) return std::nullopt;
    lastColour_ = fromQColor(chosen);
    return lastColour_;
}

std::optional<QFont> MessageBoxDialogs::pickFont(const QFont& preset, int maxPointSize) {
    FontPicker picker(preset, maxPointSize, *this, parent_);
    if (picker.exec() != QDialog::Accepted) return std::nullopt;
    return picker.selectedFont();
}

bool MessageBoxDialogs::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool MessageBoxDialogs::setUpPage(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

// A name typed without a suffix gets the filter's ("*.pdf"), before the
// question whether an existing file may be replaced, so the question is
// about the file that will be written; it is asked in Japanese like every
// other box.
std::optional<QString> MessageBoxDialogs::pickSaveFile(const QString& title, const QString& proposedPath,
                                                       const QString& filter) {
    QFileDialog picker(parent_, title);
    picker.setAcceptMode(QFileDialog::AcceptSave);
    picker.setFileMode(QFileDialog::AnyFile);
    picker.setNameFilter(filter);
    const QRegularExpressionMatch suffix = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (suffix.hasMatch()) picker.setDefaultSuffix(suffix.captured(1));
    picker.setOption(QFileDialog::DontConfirmOverwrite);
    picker.selectFile(proposedPath);
    for (;;) {
        if (picker.exec() != QDialog::Accepted || picker.selectedFiles().isEmpty()) return std::nullopt;
        const QString chosen = picker.selectedFiles().constFirst();
        if (!QFileInfo::exists(chosen)) return chosen;
        const QString question = QFileInfo(chosen).fileName() + QString::fromUtf8(" はすでにあります。\r\n置き換えますか？");
        if (ask(MessageIcon::Warning, Buttons::YesNo, cp932Shown(question)) == Answer::Yes) return chosen;
        picker.selectFile(chosen);
    }
}

}  // namespace kelmora
