#pragma once
// The three fixed-layout records of the data files. Their memory is the file layout
// (little-endian, natural alignment); every offset is checked below.

#include <cstddef>
#include <bit>
#include <cstdint>
#include <type_traits>

#include "pstring.h"

namespace braxol {

// Movement record: productions, washes, raw-material movements, records E and R,
// preventive communications and register requests.
struct TMOVIMENTO {
    std::int32_t NUMOPE;
    std::int32_t RIFOPE;
    double DATFLU;
    std::int32_t NUMFLU;
    PStr<1> STATO;
    char gap22[2];
    double DATMOV;
    PStr<1> TIPREC;
    PStr<1> TIPRIC;
    PStr<1> TIPREG;
    PStr<8> CODUFF;
    PStr<4> ANNPRO;
    PStr<10> NUMPRO;
    char gap63[1];
    std::int32_t PROGRE;
    PStr<100> PRODAZ;
    PStr<21> PRODDO;
    char gap191[1];
    double QUANTI;
    double COERES;
    double LITPRO;
    std::int32_t INTER1;
    std::int32_t INTER2;
    double ETTOGR;
    double GRAPLA;
    PStr<1> FLAGS1;
    char gap242[6];
    double DATPEC;
    PStr<3> TIPDOC;
    PStr<21> NUMDOC;
    char gap282[6];
    double DATDOC;
    PStr<2> CODPAE;
    PStr<16> MITDES;
    PStr<1> TIPMOV;
    PStr<3> CODMOV;
    PStr<3> CODACC;
    char gap326[2];
    double ACCISA;
    PStr<250> ANNOTA;
    char gap587[5];
};

// Company record, the only record of DATI_GEN/UTENTE.001.
struct TUTENTE {
    std::int32_t RISERV0;
    PStr<18> CACCI1;
    PStr<18> RISERV1;
    PStr<100> DENOM1;
    PStr<100> INDACC1;
    PStr<11> PARIVA;
    PStr<16> CODFIS;
    PStr<65> INDIR1;
    PStr<65> INDIR2;
    PStr<11> NUMCI1;
    PStr<11> RISERV2;
    PStr<10> C_A_P1;
    PStr<10> DATPSW;
    PStr<50> CITTA1;
    PStr<50> CITTA2;
    PStr<4> CODUTE;
    PStr<8> UFFDO1;
    PStr<8> RISERV3;
    PStr<6> SEZDOG;
    PStr<17> INDACC2;
    PStr<1> CAUESO;
    PStr<1> TIPOIN;
    char gap605[3];
};

// Table record of the code tables and of the one-record configuration files.
struct TTABELLA {
    static constexpr int kTexts = 20;
    static constexpr int kIntegers = 10;
    static constexpr int kNumbers = 30;

    std::int32_t number;     // record number; in a structure file, the number of key fields
    PStr<250> text[kTexts];  // slots 0-9 from offset 4, slots 10-19 from offset 2514
    std::int32_t integer[kIntegers];
    double num[kNumbers];
};

#define BRAXOL_AT(T, F, OFF) static_assert(offsetof(T, F) == (OFF), #T "." #F)
static_assert(sizeof(TMOVIMENTO) == 592);
BRAXOL_AT(TMOVIMENTO, NUMOPE, 0);
BRAXOL_AT(TMOVIMENTO, RIFOPE, 4);
BRAXOL_AT(TMOVIMENTO, DATFLU, 8);
BRAXOL_AT(TMOVIMENTO, NUMFLU, 16);
BRAXOL_AT(TMOVIMENTO, STATO, 20);
BRAXOL_AT(TMOVIMENTO, DATMOV, 24);
BRAXOL_AT(TMOVIMENTO, TIPREC, 32);
BRAXOL_AT(TMOVIMENTO, TIPRIC, 34);
BRAXOL_AT(TMOVIMENTO, TIPREG, 36);
BRAXOL_AT(TMOVIMENTO, CODUFF, 38);
BRAXOL_AT(TMOVIMENTO, ANNPRO, 47);
BRAXOL_AT(TMOVIMENTO, NUMPRO, 52);
BRAXOL_AT(TMOVIMENTO, PROGRE, 64);
BRAXOL_AT(TMOVIMENTO, PRODAZ, 68);
BRAXOL_AT(TMOVIMENTO, PRODDO, 169);
BRAXOL_AT(TMOVIMENTO, QUANTI, 192);
BRAXOL_AT(TMOVIMENTO, COERES, 200);
BRAXOL_AT(TMOVIMENTO, LITPRO, 208);
BRAXOL_AT(TMOVIMENTO, INTER1, 216);
BRAXOL_AT(TMOVIMENTO, INTER2, 220);
BRAXOL_AT(TMOVIMENTO, ETTOGR, 224);
BRAXOL_AT(TMOVIMENTO, GRAPLA, 232);
BRAXOL_AT(TMOVIMENTO, FLAGS1, 240);
BRAXOL_AT(TMOVIMENTO, DATPEC, 248);
BRAXOL_AT(TMOVIMENTO, TIPDOC, 256);
BRAXOL_AT(TMOVIMENTO, NUMDOC, 260);
BRAXOL_AT(TMOVIMENTO, DATDOC, 288);
BRAXOL_AT(TMOVIMENTO, CODPAE, 296);
BRAXOL_AT(TMOVIMENTO, MITDES, 299);
BRAXOL_AT(TMOVIMENTO, TIPMOV, 316);
BRAXOL_AT(TMOVIMENTO, CODMOV, 318);
BRAXOL_AT(TMOVIMENTO, CODACC, 322);
BRAXOL_AT(TMOVIMENTO, ACCISA, 328);
BRAXOL_AT(TMOVIMENTO, ANNOTA, 336);

static_assert(sizeof(TUTENTE) == 608);
BRAXOL_AT(TUTENTE, RISERV0, 0);
BRAXOL_AT(TUTENTE, CACCI1, 4);
BRAXOL_AT(TUTENTE, RISERV1, 23);
BRAXOL_AT(TUTENTE, DENOM1, 42);
BRAXOL_AT(TUTENTE, INDACC1, 143);
BRAXOL_AT(TUTENTE, PARIVA, 244);
BRAXOL_AT(TUTENTE, CODFIS, 256);
BRAXOL_AT(TUTENTE, INDIR1, 273);
BRAXOL_AT(TUTENTE, INDIR2, 339);
BRAXOL_AT(TUTENTE, NUMCI1, 405);
BRAXOL_AT(TUTENTE, RISERV2, 417);
BRAXOL_AT(TUTENTE, C_A_P1, 429);
BRAXOL_AT(TUTENTE, DATPSW, 440);
BRAXOL_AT(TUTENTE, CITTA1, 451);
BRAXOL_AT(TUTENTE, CITTA2, 502);
BRAXOL_AT(TUTENTE, CODUTE, 553);
BRAXOL_AT(TUTENTE, UFFDO1, 558);
BRAXOL_AT(TUTENTE, RISERV3, 567);
BRAXOL_AT(TUTENTE, SEZDOG, 576);
BRAXOL_AT(TUTENTE, INDACC2, 583);
BRAXOL_AT(TUTENTE, CAUESO, 601);
BRAXOL_AT(TUTENTE, TIPOIN, 603);

static_assert(sizeof(TTABELLA) == 5304);
BRAXOL_AT(TTABELLA, number, 0);
BRAXOL_AT(TTABELLA, text, 4);
static_assert(offsetof(TTABELLA, text) + 10 * sizeof(PStr<250>) == 2514, "TTABELLA.text[10]");
BRAXOL_AT(TTABELLA, integer, 5024);
BRAXOL_AT(TTABELLA, num, 5064);
static_assert(offsetof(TTABELLA, num) + 10 * sizeof(double) == 5144, "TTABELLA.num[10]");
static_assert(offsetof(TTABELLA, num) + 20 * sizeof(double) == 5224, "TTABELLA.num[20]");
#undef BRAXOL_AT

static_assert(std::is_trivially_copyable_v<TMOVIMENTO> && std::is_standard_layout_v<TMOVIMENTO>);
static_assert(std::is_trivially_copyable_v<TUTENTE> && std::is_standard_layout_v<TUTENTE>);
static_assert(std::is_trivially_copyable_v<TTABELLA> && std::is_standard_layout_v<TTABELLA>);
static_assert(std::endian::native == std::endian::little, "record files are little-endian");

// Blank: numbers 0 and every text field N blanks. Pad: every text right-padded with blanks to N.
// Trim: blanks removed from both ends of every text. Pad and trim leave the numbers alone.
void BlankMovement(TMOVIMENTO& r);
void PadMovement(TMOVIMENTO& r);
void TrimMovement(TMOVIMENTO& r);
void BlankTutente(TUTENTE& r);
void PadTutente(TUTENTE& r);
void TrimTutente(TUTENTE& r);
void BlankTabella(TTABELLA& r);
void PadTabella(TTABELLA& r);
void TrimTabella(TTABELLA& r);

TMOVIMENTO BlankMovement();
TUTENTE BlankTutente();
TTABELLA BlankTabella();

}  // namespace braxol
