#include "io_error.h"

#include <cerrno>
#include <cstring>

namespace braxol {

IoError::IoError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason), path_(std::move(path)), reason_(std::move(reason)) {}

std::string IoError::italianMessage() const {
    return "ERRORE DI LETTURA/SCRITTURA SUL FILE " + path_ + ":\n" + reason_;
}

DamagedFileError::DamagedFileError(std::string path, long long size, std::size_t recordSize)
    : IoError(std::move(path), "il file è danneggiato: " + std::to_string(size) +
                                   " byte non sono un numero intero di record da " +
                                   std::to_string(recordSize) + " byte; il file non viene modificato"),
      size_(size) {}

std::string ReasonFromErrno(int err) {
    switch (err) {
        case ENOENT: return "file o cartella inesistente";
        case EACCES:
        case EPERM: return "permesso negato";
        case EROFS: return "il disco è di sola lettura";
        case ENOSPC: return "spazio su disco esaurito";
        case EDQUOT: return "quota del disco superata";
        case EIO: return "errore di ingresso/uscita del dispositivo";
        case ENOTDIR: return "una parte del percorso non è una cartella";
        case EISDIR: return "il percorso è una cartella";
        case EEXIST: return "il file esiste già";
        case ENAMETOOLONG: return "nome del file troppo lungo";
        case EMFILE:
        case ENFILE: return "troppi file aperti";
        default: return std::strerror(err);
    }
}

}  // namespace braxol
