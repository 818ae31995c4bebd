#pragma once

#include "platform/dialogs.h"

class QWidget;

// The real dialogs of the program.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(Kind kind, const std::string& text) override;
    bool confirm(Kind kind, const std::string& text) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) override;
    std::optional<std::string> chooseFolder(const std::string& startFolder) override;
    std::optional<std::string> chooseFile(const std::string& filter, const std::string& defaultExtension) override;
    std::optional<std::string> chooseSaveFile(const SaveFile& request) override;
    void beep() override;
    void setClipboardText(const std::string& text) override;
    void openUrl(const std::string& url) override;

private:
    QWidget* m_parent;
};
