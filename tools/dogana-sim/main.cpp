// braxol-dogana-sim: the training customs web service, for trying the program's telematic
// road offline. It listens on 127.0.0.1 until stopped with Ctrl+C.

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "sim_server.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void OnSignal(int) {
    stopRequested = 1;
}

const char* kUsage =
    "Uso: braxol-dogana-sim [opzioni]\n"
    "Simulatore di addestramento del servizio web telematico doganale (put e get) su\n"
    "https://127.0.0.1.\n"
    "  --porta N            porta di ascolto (predefinita 8443; 0 = una libera)\n"
    "  --cartella DIR       certificati, esiti e progressivo (predefinita\n"
    "                       $HOME/.braxol-dogana-sim)\n"
    "  --utente U           richiede l'autenticazione HTTP di base con questo utente\n"
    "  --password P         ...e questa password (solo per l'addestramento)\n"
    "  --guasto G           simula un guasto: rifiuta, http500, fault, interrompi,\n"
    "                       senza-allegato, non-soap; scarta: accetta l'invio con\n"
    "                       esito negativo\n"
    "  --ritardo MS         ogni risposta attende MS millisecondi\n"
    "  --dime               allegati in formato DIME invece che MIME\n"
    "  --help               questo aiuto\n";

int Usage(const std::string& problem) {
    std::cerr << problem << "\n\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    braxol::sim::SimOptions options;
    options.port = 8443;
    const char* home = std::getenv("HOME");
    options.folder = std::filesystem::path(home ? home : ".") / ".braxol-dogana-sim";

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) return {};
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--porta") {
            try {
                options.port = std::stoi(value());
            } catch (const std::exception&) {
                return Usage("Porta non valida");
            }
        } else if (arg == "--cartella") {
            options.folder = value();
        } else if (arg == "--utente") {
            options.user = value();
        } else if (arg == "--password") {
            options.password = value();
        } else if (arg == "--guasto") {
            const auto fault = braxol::sim::FaultFromName(value());
            if (!fault) return Usage("Guasto sconosciuto");
            options.fault = *fault;
        } else if (arg == "--ritardo") {
            try {
                options.delayMs = std::stoi(value());
            } catch (const std::exception&) {
                return Usage("Ritardo non valido");
            }
        } else if (arg == "--dime") {
            options.dime = true;
        } else {
            return Usage("Opzione sconosciuta: " + std::string(arg));
        }
    }

    braxol::sim::DoganaSimulator simulator(options);
    try {
        simulator.start();
    } catch (const std::exception& e) {
        std::cerr << "Impossibile avviare il simulatore: " << e.what() << "\n";
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::cout << "Simulatore del servizio telematico doganale in ascolto.\n"
              << "Indirizzo del servizio: " << simulator.address() << "\n"
              << "Autorità di certificazione da considerare attendibile:\n  "
              << simulator.certificates().authority.string() << "\n"
              << "Esiti nella cartella: " << (options.folder / "esiti").string() << "\n"
              << "Ctrl+C per terminare." << std::endl;
    while (!stopRequested) {
        struct timespec pause {
            0, 200 * 1000 * 1000
        };
        nanosleep(&pause, nullptr);
    }
    simulator.stop();
    std::cout << "Simulatore terminato." << std::endl;
    return 0;
}
