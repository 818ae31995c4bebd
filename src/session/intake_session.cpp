#include "intake_session.h"

#include "base/dates.h"
#include "base/numbers.h"
#include "base/text.h"
#include "intake/association.h"

IntakeSession::IntakeSession(QObject* parent) : QObject(parent) {}

std::string& IntakeSession::field(Field f)
{
    IntakeDraft& d = m_draft;
    switch (f) {
    case Field::titolo: return d.titolo;
    case Field::genere: return d.genere;
    case Field::durata: return d.durata;
    case Field::datau: return d.datau;
    case Field::attore1: return d.attore1;
    case Field::attore2: return d.attore2;
    case Field::regia: return d.regia;
    case Field::dataa: return d.dataa;
    case Field::posizione: return d.posizione;
    case Field::dimmb: return d.dimmb;
    case Field::trama: return d.trama;
    case Field::posterName: return d.posterName;
    }
    return d.titolo;
}

void IntakeSession::edit(Field f, const std::string& text) { field(f) = text; }

void IntakeSession::showEntry(int slot, const RegionalSettings& rs)
{
    const dfilm& e = m_model.IntakeTable.row(slot);
    IntakeDraft& d = m_draft;
    d.genere = e.genere;
    d.durata = e.durata;
    d.datau = e.datau;
    d.dataa = dates::formatDdMmYyyy(e.dataa, rs);
    d.attore1 = e.attore1;
    d.attore2 = e.attore2;
    d.regia = e.regia;
    d.posizione = e.posizione;
    d.dimmb = numbers::formatThousands2(e.dimmb, rs);
    d.trama = e.trama;
    d.titolo.clear();
    emit draftChanged();
}

void IntakeSession::clearFields()
{
    for (Field f : {Field::titolo, Field::genere, Field::durata, Field::datau, Field::attore1, Field::attore2,
                    Field::regia, Field::dataa, Field::posizione, Field::dimmb, Field::trama})
        field(f).clear();
    emit draftChanged();
}

void IntakeSession::takeLookup(const FoundFilm& film, const std::string& posterName)
{
    IntakeDraft& d = m_draft;
    d.titolo = film.titolo;
    d.genere = text::upperAscii(film.genere);
    d.durata = film.durata;
    d.datau = film.datau;
    d.attore1 = film.attore1;
    d.attore2 = film.attore2;
    d.regia = film.regia;
    d.trama = film.trama;
    d.posterName = posterName;
    emit draftChanged();
}

void IntakeSession::takeClipboard(const clipboardimport::FilmFields& film)
{
    IntakeDraft& d = m_draft;
    d.titolo = film.titolo;
    d.durata = film.durata;
    d.genere = film.genere;
    d.regia = film.regia;
    if (film.datau)
        d.datau = *film.datau;
    d.trama = film.trama;
    if (film.attore1)
        d.attore1 = *film.attore1;
    if (film.attore2)
        d.attore2 = *film.attore2;
    emit draftChanged();
}

void IntakeSession::clearPosterName()
{
    m_draft.posterName.clear();
    emit draftChanged();
}

void IntakeSession::setPicturesReceived(bool poster, bool cover)
{
    m_draft.posterReceived = poster;
    m_draft.coverReceived = cover;
}

void IntakeSession::resetTicks()
{
    m_draft.ticked.assign(static_cast<std::size_t>(std::max(m_model.IntakeCount, 0)), false);
    emit ticksChanged();
}

void IntakeSession::setTicked(int slot, bool ticked)
{
    if (slot < 1)
        return;
    if (static_cast<std::size_t>(slot) > m_draft.ticked.size())
        m_draft.ticked.resize(static_cast<std::size_t>(slot), false);
    m_draft.ticked[static_cast<std::size_t>(slot - 1)] = ticked;
}

void IntakeSession::untickAll()
{
    m_draft.ticked.assign(m_draft.ticked.size(), false);
    emit ticksChanged();
}

std::vector<int> IntakeSession::tickedSlots() const
{
    std::vector<int> entries;
    const int n = std::min(static_cast<int>(m_draft.ticked.size()), m_model.IntakeCount);
    for (int i = 0; i < n; ++i)
        if (m_draft.ticked[static_cast<std::size_t>(i)])
            entries.push_back(i + 1);
    return entries;
}

void IntakeSession::associate(int slot)
{
    const IntakeDraft& d = m_draft;
    AssociateData(m_model, slot, {d.genere, d.durata, d.datau, d.attore1, d.attore2, d.regia, d.trama});
    setTicked(slot, true);
    emit ticksChanged();
}
