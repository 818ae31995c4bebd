#pragma once

#include <QDialog>

#include <string>

class Dialogs;
class JpegView;

// The zoomed poster or cover of the archive record last chosen.
class ZoomWindow : public QDialog
{
    Q_OBJECT
public:
    enum class Choice { Poster, Cover };

    ZoomWindow(Dialogs& dialogs, QWidget* parent = nullptr);

    JpegView* CoverZ;

    // The picture a showing loads; the cover's file names the window in both cases.
    void setPicture(Choice choice, const std::string& picturePath, const std::string& coverPath);
    // Shows a picture of the record last chosen, modally.
    void zoom(Choice choice, const std::string& picturePath, const std::string& coverPath);
    Choice choice() const { return m_choice; }

    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Dialogs& m_dialogs;
    Choice m_choice = Choice::Poster;
    std::string m_path;
    std::string m_coverPath;
};
