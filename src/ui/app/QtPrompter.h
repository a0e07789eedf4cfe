#pragma once
// The real message boxes: the sound first, then the modal box.
#include "core/sheet/Prompter.h"

class QWidget;

class QtPrompter : public tintora::Prompter {
public:
    QtPrompter(tintora::Sounds& sounds, QWidget* parent);
    void inform(std::string_view text) override;
    void error(std::string_view text) override;
    bool confirm(std::string_view text) override;
    bool askInformation(std::string_view text) override;
    Answer askYesNoCancel(std::string_view text) override;
    DiskChangeAnswer askOverwriteOrReload(std::string_view text) override;
    void setParentWidget(QWidget* parent) { parent_ = parent; }

private:
    tintora::Sounds& sounds_;
    QWidget* parent_;
};
