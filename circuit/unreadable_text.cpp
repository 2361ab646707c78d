#include "circuit/unreadable_text.h"

#include <algorithm>
#include <array>

#include "circuit/messages.h"
#include "text/utf8.h"

namespace idrovela::circuit {

namespace {

// A control character that no text file holds: the C0 controls but tab, line feed, carriage
// return and NUL (NUL has a message of its own).
bool IsBinaryByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte != 0 && byte < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

std::string Hex(char c) {
    constexpr std::array<char, 16> kDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                              '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    const auto byte = static_cast<unsigned char>(c);
    return std::string("0x") + kDigits[byte >> 4U] + kDigits[byte & 0x0FU];
}

// What the parser said, as the detail after the first sentence: "non è JSON valido (riga 2,
// colonna 18): sintassi non valida vicino a «x»".
std::string ParserDetail(std::string_view text, const JsonFault& fault) {
    std::string detail = "non è JSON valido (" + LineAndColumn(text, fault.at) + "): ";
    detail += fault.numberTooLarge ? "numero troppo grande" : "sintassi non valida";
    if (!fault.token.empty()) {
        detail += " vicino a " + Quoted(fault.token);
    }
    return detail;
}

std::string Message(std::string_view sentence, const std::string& detail) {
    return std::string(sentence) + " Dettaglio: " + detail + ".";
}

}  // namespace

std::string LineAndColumn(std::string_view text, std::size_t at) {
    const std::string_view before = text.substr(0, std::min(at, text.size()));
    const std::size_t lastBreak = before.rfind('\n');
    const std::size_t lineStart = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
    const auto breaks = std::count(before.begin(), before.end(), '\n');
    const std::size_t line = 1 + static_cast<std::size_t>(breaks);
    // A continuation byte belongs to the character before it, UTF-8 or not.
    const std::size_t column = 1 + text::CharacterCount(before.substr(lineStart));
    return "riga " + std::to_string(line) + ", colonna " + std::to_string(column);
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t\n\r") == std::string_view::npos;
}

std::string UnreadableText(std::string_view text, const std::optional<JsonFault>& fault) {
    if (const auto binary = std::find_if(text.begin(), text.end(), IsBinaryByte);
        binary != text.end()) {
        const auto at = static_cast<std::size_t>(binary - text.begin());
        return Message(
            "Il file non è un testo ma un file binario, come un'immagine, un archivio o un "
            "programma, e non è un circuito di Idrovela.",
            "carattere di controllo " + Hex(*binary) + " alla " + LineAndColumn(text, at));
    }
    if (const std::size_t invalid = text::FirstInvalidUtf8(text); invalid != std::string::npos) {
        return Message(
            "Il file contiene caratteri che Idrovela non sa leggere, forse perché un altro "
            "programma lo ha salvato con un'altra codifica dei caratteri.",
            fault ? "il testo non è UTF-8 e " + ParserDetail(text, *fault)
                  : "il testo non è UTF-8 dalla " + LineAndColumn(text, invalid));
    }
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        return Message(
            "Il file è danneggiato, con una parte del testo sostituita da zeri, come accade "
            "quando il computer si spegne mentre il file viene scritto.",
            "il primo byte nullo è alla " + LineAndColumn(text, nul));
    }
    // Not reached without a fault: a text without NUL bytes fails only where the parser says.
    const JsonFault where = fault.value_or(JsonFault{});
    if (where.at >= text.size()) {
        return Message(
            "Il file è incompleto e finisce a metà, forse perché è stato troncato durante una "
            "copia.",
            "il testo JSON si interrompe alla " + LineAndColumn(text, text.size()));
    }
    if (where.numberTooLarge) {
        return Message("Il file contiene un numero troppo grande per essere letto.",
                       "il testo " + ParserDetail(text, where));
    }
    return Message("Il file contiene un errore nel testo, forse per una modifica fatta a mano.",
                   "il testo " + ParserDetail(text, where));
}

}  // namespace idrovela::circuit
