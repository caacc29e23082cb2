#include "core/list/FileLabelReader.h"

#include "core/common/Cp1252.h"

namespace quillet {

FileLabelReader::FileLabelReader(const ContactsFile& file, const ListedContacts& listed, qsizetype run)
    : m_runs(file, listed, run, appendLabelLines)
{}

const LabelTexts* FileLabelReader::next()
{
    const std::optional<QByteArrayView> kept = m_runs.next();
    if (!kept)
        return nullptr;
    const std::array<QByteArrayView, 3> lines = labelLinesIn(*kept);
    m_current.name = cp1252::decode(lines[0]);
    m_current.street = cp1252::decode(lines[1]);
    m_current.city = cp1252::decode(lines[2]);
    return &m_current;
}

} // namespace quillet
