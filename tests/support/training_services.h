#pragma once
// Two training customs services on 127.0.0.1 for the tests that go the whole way to the customs
// service: one stands for the test environment, one for the real one. The second takes the
// first one's certificates, so that one authority is trusted for both. Only for test programs
// that link the training service (braxol_dogana_sim).

#include <QString>
#include <filesystem>
#include <memory>

#include "net/soap_endpoints.h"
#include "sim_server.h"

namespace braxol::test {

class TrainingServices {
public:
    // The services keep their certificates and outcomes in `folder`/sim-prova and
    // `folder`/sim-reale. Throws std::runtime_error when one cannot start.
    explicit TrainingServices(const std::filesystem::path& folder)
        : test_(Start(folder / "sim-prova", {})),
          real_(Start(folder / "sim-reale", folder / "sim-prova")) {}

    sim::DoganaSimulator& test() { return *test_; }
    sim::DoganaSimulator& real() { return *real_; }

    // The two environments' addresses and the authority to trust, as WEBSERVICE.CFG holds them.
    net::ServiceEndpoints endpoints() const {
        return {QString::fromStdString(real_->address()), QString::fromStdString(test_->address()),
                QString::fromStdString(test_->certificates().authority.string())};
    }

private:
    static std::unique_ptr<sim::DoganaSimulator> Start(
        const std::filesystem::path& folder, const std::filesystem::path& certificatesOf) {
        if (!certificatesOf.empty()) {
            std::filesystem::create_directories(folder);
            std::filesystem::copy(certificatesOf / "certificati", folder / "certificati",
                                  std::filesystem::copy_options::recursive);
        }
        sim::SimOptions options;
        options.folder = folder;
        auto service = std::make_unique<sim::DoganaSimulator>(options);
        service->start();
        return service;
    }

    std::unique_ptr<sim::DoganaSimulator> test_;
    std::unique_ptr<sim::DoganaSimulator> real_;
};

}  // namespace braxol::test
