#pragma once
// How the telematic windows reach the customs web service: the address of the environment
// in use, the extra trusted authority, and the company's credentials, which go out only
// when the user name asks for them (it contains "-00").

#include <functional>
#include <memory>

#include "net/soap_endpoints.h"
#include "net/soap_transport.h"
#include "store/records.h"
#include "store/work_folders.h"
#include "telematic/telematic_state.h"

namespace braxol::telematic {

// Basic authentication is for the user names that contain "-00".
bool NeedsBasicAuthentication(const QString& userName);

// The settings of a call to the environment; `company` with its strings trimmed.
net::SoapSettings CustomsSoapSettings(const net::ServiceEndpoints& endpoints,
                                      Environment environment, const TUTENTE& company);

// Makes the transport of a call to an environment. The windows take one, so that tests can
// give them a scripted transport.
using TransportFactory = std::function<std::unique_ptr<net::SoapTransport>(Environment)>;

// Transports over the network, with the addresses of DATI_GEN/WEBSERVICE.CFG (read at each
// call; throws IoError when it cannot be read) and the attachments kept in the temporary
// folder.
TransportFactory NetworkTransports(const WorkFolders& folders, const TUTENTE& company);

}  // namespace braxol::telematic
