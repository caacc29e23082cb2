#include "core/list/ListedRunReader.h"

#include "core/list/ListedContacts.h"

#include <algorithm>

namespace quillet {

ListedRunReader::ListedRunReader(const ContactsFile& file, const ListedContacts& listed, qsizetype run, Keep keep)
    : m_file(file), m_listed(listed), m_run(std::max<qsizetype>(1, run)), m_keep(std::move(keep))
{}

qsizetype ListedRunReader::size() const
{
    return m_listed.size();
}

std::optional<QByteArrayView> ListedRunReader::next()
{
    if (!m_status || m_next >= m_listed.size())
        return std::nullopt;
    if (m_next == m_runEnd) {
        m_status = readRun();
        if (!m_status)
            return std::nullopt;
    }
    const std::size_t index = std::size_t(m_next++ - m_runStart);
    // The slots were filled in file order and are taken in list order: ask for the
    // bytes of a later one while this one is used.
    if (const std::size_t ahead = index + 8; ahead < m_slots.size())
        __builtin_prefetch(m_kept.constData() + m_slots[ahead].offset);
    const Slot& slot = m_slots[index];
    return QByteArrayView(m_kept.constData() + slot.offset, slot.length);
}

Status ListedRunReader::readRun()
{
    m_runStart = m_next;
    m_runEnd = std::min(m_listed.size(), m_next + m_run);
    m_kept.resize(0);
    m_slots.assign(std::size_t(m_runEnd - m_runStart), Slot{});
    return m_listed.read(m_file, m_runStart, m_runEnd, [this](qsizetype position, QByteArrayView bytes) {
        Slot& slot = m_slots[std::size_t(position - m_runStart)];
        slot.offset = quint32(m_kept.size());
        m_keep(m_kept, bytes);
        slot.length = quint32(m_kept.size()) - slot.offset;
    });
}

} // namespace quillet
