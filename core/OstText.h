#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>

// Text helpers shared by the Skype link and the stores; they keep the number-reading rules
// of the C runtime the stored files and Skype texts were written against.
namespace OstText {

// Like _wtoi/_wtol: leading white space, an optional sign, then decimal digits; anything
// else ends the number. No digits gives 0; overflow clamps to the 32-bit range.
std::int32_t ToInt(QStringView text);

// The leading decimal digits only (no blanks, no sign); no digits gives 0, overflow clamps.
std::int32_t LeadingDigits(QStringView text);

// Splits at blanks; runs of blanks count as one and no empty token is produced.
QStringList SplitBlanks(const QString& text);

} // namespace OstText
