#pragma once
// The real message boxes: the sound first, then the modal box.
#include "core/prompt/Prompter.h"

class QWidget;

class QtPrompter : public tintora::SoundingPrompter {
public:
    QtPrompter(tintora::Sounds& sounds, QWidget* parent);
    void setParentWidget(QWidget* parent) { parent_ = parent; }

protected:
    Answer show(tintora::MessageKind kind, std::string_view text) override;

private:
    QWidget* parent_;
};
