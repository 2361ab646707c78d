#pragma once

// The properties the fuzz targets check, as plain functions of an input, so that the regular
// tests replay the seed corpus and every input a fuzzer ever found through the same code.

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace idrovela::fuzz {

// A property does not hold for an input. Thrown, never caught by the targets, so that the
// fuzzer stops and keeps the input.
class PropertyBroken : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// Reads the input as a field's text with every text conversion, and as numbers written and
// read back. Throws PropertyBroken when:
//  - a conversion raises anything but Type mismatch or Overflow;
//  - NumberToText of a Currency, Integer or Long does not read back to the same value;
//  - NumberToText of a finite Double does not read back to that Double rounded to 15
//    significant digits.
void CheckTexts(const std::uint8_t* data, std::size_t size);

// Most loss evaluations one user action may set off, and most Colebrook-White differences its
// friction factors may work out (one per step where a friction factor steps): far above what
// any action of the window needs, far below a hang. 200 000 differences take about 10 ms.
inline constexpr std::int64_t kMaxEvaluationsPerAction = 2000;
inline constexpr std::int64_t kMaxDifferencesPerAction = 200'000;

// Decodes the input into user actions on a started window (see window_actions.cpp for the
// encoding) and checks the window after each one. Throws PropertyBroken when an option group
// does not hold exactly one selection, when the fluid or roughness fields are enabled other
// than the selected preset says, when the visible spinners do not follow the solve mode, when
// an error other than the four run-time errors is raised, when one action works past the
// bounds above, or when the window no longer answers.
void CheckWindowActions(const std::uint8_t* data, std::size_t size);

// Reads the input as a catalogue file with ReadSeries, and again with Windows line endings.
// Throws PropertyBroken when:
//  - anything escapes the reader;
//  - a tube has an outer diameter, wall or inner diameter that is not positive and finite, a
//    negative roughness, a dimension above the reader's bound, an inner diameter more than
//    0,05 mm from outer − 2·wall, an empty, untrimmed, repeated or non-UTF-8 designation, or
//    the tubes are not ordered by inner, then outer diameter;
//  - a problem names another file, a line beyond the text's lines, or has a message that is
//    empty, not UTF-8, holds a control character or runs past 1000 bytes;
//  - after the header row, tubes and problems on data lines do not add up to the data lines
//    (each at most one problem), there is not exactly one problem where the caps stop
//    reading, or a file without tubes has no problem of its own (or one with tubes has);
//  - the title or a note is not UTF-8;
//  - with Windows line endings the tubes, title, notes or problems differ.
void CheckCatalogueText(const std::uint8_t* data, std::size_t size);

// Loads the input as a circuit file's text with the built-in catalogue. Throws PropertyBroken
// when:
//  - anything but CircuitError escapes, or its message is empty, not UTF-8, or holds a control
//    character (a line break among them);
//  - a text holding a NUL byte loads;
//  - a figure of the solution is not finite, a terminal's result does not match the terminals,
//    the index and its path disagree, or a warning is on no segment or not one line of UTF-8;
//  - the circuit written is not exactly nlohmann-json's two-space dump of itself, does not load,
//    loads as another circuit (numbers compared by value), or writes another text.
void CheckCircuitText(const std::uint8_t* data, std::size_t size);

}  // namespace idrovela::fuzz
