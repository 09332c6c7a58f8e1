#include "platform/font_picker.h"

#include "platform/qt_text.h"

namespace kelmora {

FontPicker::FontPicker(const QFont& preset, int maxPointSize, Prompts& prompts, QWidget* parent)
    : QFontDialog(preset, parent), maxPointSize_(maxPointSize), prompts_(prompts) {
    // Qt's own picker, so that the limit is checked before it closes.
    setOption(QFontDialog::DontUseNativeDialog);
    setWindowTitle(japanese("フォント"));
}

void FontPicker::done(int result) {
    const int size = currentFont().pointSize();
    if (result == QDialog::Accepted && (size < 1 || size > maxPointSize_)) {
        prompts_.inform(
            cp932Of(japanese("サイズは 1 から %1 ポイントまでの間で指定してください。").arg(maxPointSize_)));
        return;
    }
    QFontDialog::done(result);
}

}  // namespace kelmora
