#pragma once
// The platform's font picker with a size limit: a size above the limit (or
// below one point) is refused with a message, and the picker stays open.

#include <QFontDialog>

#include "main/prompts.h"

namespace kelmora {

class FontPicker : public QFontDialog {
    Q_OBJECT
public:
    FontPicker(const QFont& preset, int maxPointSize, Prompts& prompts, QWidget* parent = nullptr);

    void done(int result) override;

private:
    int maxPointSize_;
    Prompts& prompts_;
};

}  // namespace kelmora
