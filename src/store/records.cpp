#include "records.h"

#include "record_fields.h"

namespace braxol {
namespace {
template <class R>
std::byte* Bytes(R& r) {
    return reinterpret_cast<std::byte*>(&r);
}
}  // namespace

void BlankMovement(TMOVIMENTO& r) { BlankFields(Bytes(r), sizeof r, MovementFields()); }
void PadMovement(TMOVIMENTO& r) { PadFields(Bytes(r), MovementFields()); }
void TrimMovement(TMOVIMENTO& r) { TrimFields(Bytes(r), MovementFields()); }
void BlankTutente(TUTENTE& r) { BlankFields(Bytes(r), sizeof r, TutenteFields()); }
void PadTutente(TUTENTE& r) { PadFields(Bytes(r), TutenteFields()); }
void TrimTutente(TUTENTE& r) { TrimFields(Bytes(r), TutenteFields()); }
void BlankTabella(TTABELLA& r) { BlankFields(Bytes(r), sizeof r, TabellaFields()); }
void PadTabella(TTABELLA& r) { PadFields(Bytes(r), TabellaFields()); }
void TrimTabella(TTABELLA& r) { TrimFields(Bytes(r), TabellaFields()); }

TMOVIMENTO BlankMovement() {
    TMOVIMENTO r;
    BlankMovement(r);
    return r;
}
TUTENTE BlankTutente() {
    TUTENTE r;
    BlankTutente(r);
    return r;
}
TTABELLA BlankTabella() {
    TTABELLA r;
    BlankTabella(r);
    return r;
}

}  // namespace braxol
