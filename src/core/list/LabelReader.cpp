#include "core/list/LabelReader.h"

#include "core/list/ListLabels.h"

namespace quillet {

namespace {

class VectorLabelReader : public LabelReader
{
public:
    explicit VectorLabelReader(const std::vector<LabelTexts>& labels) : m_labels(labels) {}
    qsizetype size() const override { return qsizetype(m_labels.size()); }
    const LabelTexts* next() override { return m_next < m_labels.size() ? &m_labels[m_next++] : nullptr; }

private:
    const std::vector<LabelTexts>& m_labels;
    std::size_t m_next = 0;
};

} // namespace

std::shared_ptr<LabelReader> readerOf(const std::vector<LabelTexts>& labels)
{
    return std::make_shared<VectorLabelReader>(labels);
}

} // namespace quillet
