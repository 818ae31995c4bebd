#pragma once

#include "intake_draft.h"

#include "archive/intake_model.h"
#include "base/regional.h"
#include "intake/clipboard_import.h"

#include <QObject>

#include <optional>
#include <vector>

// The new films of the media folder and the data being prepared for them. The lookup, the
// clipboard import and the user's typing fill the draft; the intake tab draws it.
class IntakeSession : public QObject
{
    Q_OBJECT
public:
    enum class Field { titolo, genere, durata, datau, attore1, attore2, regia, dataa, posizione, dimmb, trama, posterName };

    explicit IntakeSession(QObject* parent = nullptr);

    IntakeModel& model() { return m_model; }
    const IntakeModel& model() const { return m_model; }
    const IntakeDraft& draft() const { return m_draft; }

    // A field as the user typed it: no redraw.
    void edit(Field field, const std::string& text);
    // The entry of a slot in the fields, the title cleared.
    void showEntry(int slot, const RegionalSettings& rs);
    // Every data field emptied.
    void clearFields();
    // A lookup's accepted data, with the name its poster is saved under.
    void takeLookup(const FoundFilm& film, const std::string& posterName);
    // Copied from the clipboard: a field the text lacks keeps the draft's text.
    void takeClipboard(const clipboardimport::FilmFields& film);
    void clearPosterName();
    void setPicturesReceived(bool poster, bool cover);

    // The ticks follow the entries: all off after a scan or an import.
    void resetTicks();
    void setTicked(int slot, bool ticked);
    void untickAll();
    std::vector<int> tickedSlots() const;
    // Stores the draft's data into the entry of the slot and ticks it.
    void associate(int slot);

signals:
    // The draft changed by something other than the user's typing.
    void draftChanged();
    void ticksChanged();

private:
    std::string& field(Field f);

    IntakeModel m_model;
    IntakeDraft m_draft;
};
