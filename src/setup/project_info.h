#pragma once
// The program's own title and where its users find support: one place for the information
// window and anything else that names them.

namespace braxol {

inline constexpr const char* kProgramTitle = "Telematizzazione delle accise per i Microbirrifici";
inline constexpr const char* kSupportPage = "https://braxol.it/supporto";
inline constexpr const char* kSupportEmail = "supporto@braxol.it";
// Subject of the e-mail that the information window prepares for the support address.
inline constexpr const char* kSupportSubject = "Richiesta Informazioni - Assistenza";

}  // namespace braxol
