#pragma once

#include "core/printing/PrintMargins.h"

#include <QStringList>

#include <optional>

namespace quillet {

// The seven entries of the envelope list (cboLMEnvelope), in order. A size is
// numbered by its position in the list counted from 1 (EnvelopeSizeNo).
namespace envelopes {

inline constexpr int sizeCount = 7;

const QStringList& sizeNames();

// Margins put into the fields when a size is chosen in the list.
std::optional<GridMargins> presetOnChoosingSize(int sizeNo);
// Margins put into the fields when "Envelope" is chosen while a size is chosen.
std::optional<GridMargins> presetOnChoosingEnvelope(int sizeNo);

// EnvelopeSizeNo as held by the window ("1".."7", "0" or empty) read as a number;
// 0 means no size.
int sizeNoFromText(const QString& envelopeSizeNo);

} // namespace envelopes
} // namespace quillet
