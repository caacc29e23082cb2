#include "core/list/FileLabelReader.h"

#include "core/common/Cp1252.h"
#include "core/list/ListedContacts.h"

#include <algorithm>

namespace quillet {

FileLabelReader::FileLabelReader(const ContactsFile& file, const ListedContacts& listed, qsizetype run)
    : m_file(file), m_listed(listed), m_run(std::max<qsizetype>(1, run))
{}

qsizetype FileLabelReader::size() const
{
    return m_listed.size();
}

const LabelTexts* FileLabelReader::next()
{
    if (!m_status || m_next >= m_listed.size())
        return nullptr;
    if (m_next == m_runEnd) {
        m_status = readRun();
        if (!m_status)
            return nullptr;
    }
    const Slot& slot = m_slots[std::size_t(m_next++ - m_runStart)];
    const char* at = m_lines.constData() + slot.offset;
    QString LabelTexts::*const members[] = {&LabelTexts::name, &LabelTexts::street, &LabelTexts::city};
    for (std::size_t line = 0; line < 3; ++line) {
        m_current.*members[line] = cp1252::decode(QByteArrayView(at, slot.lengths[line]));
        at += slot.lengths[line];
    }
    return &m_current;
}

Status FileLabelReader::readRun()
{
    m_runStart = m_next;
    m_runEnd = std::min(m_listed.size(), m_next + m_run);
    m_lines.resize(0);
    m_slots.assign(std::size_t(m_runEnd - m_runStart), Slot{});
    return m_listed.read(m_file, m_runStart, m_runEnd, [this](qsizetype position, QByteArrayView bytes) {
        Slot& slot = m_slots[std::size_t(position - m_runStart)];
        slot.offset = quint32(m_lines.size());
        const std::array<QByteArray, 3> lines = labelLineBytes(bytes);
        for (std::size_t line = 0; line < 3; ++line) {
            // A line is at most two fields and a separator, well under 256 bytes.
            slot.lengths[line] = quint8(std::min<qsizetype>(lines[line].size(), 255));
            m_lines.append(lines[line].constData(), slot.lengths[line]);
        }
    });
}

} // namespace quillet
