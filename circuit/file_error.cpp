#include "circuit/file_error.h"

namespace idrovela::circuit {

std::string_view FaultWords(FileFault fault) {
    switch (fault) {
        case FileFault::NoFile:
            return "il file non esiste";
        case FileFault::NoFolder:
            return "la cartella non esiste";
        case FileFault::Denied:
            return "permesso negato";
        case FileFault::ReadOnlyDisk:
            return "il disco è in sola lettura";
        case FileFault::DiskFull:
            return "il disco è pieno";
        case FileFault::Folder:
            return "è una cartella, non un file";
        case FileFault::NotRegular:
            return "non è un file normale";
        case FileFault::TooLarge:
            return "il file supera la dimensione consentita";
        case FileFault::PathNotFolder:
            return "una parte del percorso non è una cartella";
        case FileFault::NameTooLong:
            return "il nome è troppo lungo";
    }
    return "errore sconosciuto";
}

FileError::FileError(const std::string& reason, bool hadOldFile)
    : std::runtime_error(reason), hadOldFile_(hadOldFile) {}

FileError::FileError(FileFault fault, bool hadOldFile)
    : FileError(std::string(FaultWords(fault)), hadOldFile) {}

}  // namespace idrovela::circuit
