#pragma once

#include <QDialog>

class Dialogs;
class JpegView;
struct ProgramState;

// The zoomed poster or cover of the archive record last chosen.
class ZoomWindow : public QDialog
{
    Q_OBJECT
public:
    ZoomWindow(ProgramState& state, Dialogs& dialogs, QWidget* parent = nullptr);

    JpegView* CoverZ;

    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ProgramState& m_state;
    Dialogs& m_dialogs;
};
