// Connection names of the multiports, as the host hands them over: one port per name, the same
// port for the same name, found again by name, numbered in the order of the names; no port and
// no name for a null text.
#include "fuzz/fault.h"
#include "fuzz/text_fuzz.h"
#include "types/connectivity/mi_control_port.h"
#include "types/connectivity/mio_generic_port.h"
#include "types/connectivity/mo_connection_port.h"

#include <map>
#include <set>
#include <string>

namespace norvane::fuzz {
namespace {

// A flavour with the set of connection names in reach.
template <class Flavour> struct Probe final : Flavour {
    QV_STRINGSET& ConnectionNames() { return this->m_connectionNames; }
};

template <class Flavour, class Port> void RunPorts(ByteReader& in, TextSource& texts) {
    Probe<Flavour> multiport;
    QV_MULTIPORT_BaseType& base = multiport;   // the host calls through its own class
    std::set<std::string> names;               // the names connected, in byte order
    std::map<std::string, QV_PortType*> ports; // every port made, connected or only found
    for (int op = 0; op < 32 && in.Byte() != 0; ++op) {
        const char* name = texts.Next(0);
        const bool create = in.Flag();
        QV_PortType* port =
            create ? base.CreateConnectionPort(name, in.Byte()) : base.FindConnectionPort(name);
        if (!name) {
            if (port) Fault("a port for no name");
            continue;
        }
        if (!dynamic_cast<Port*>(port)) Fault("no port of the flavour's type for \"%s\"", name);
        if (std::string(name) != port->IndexText())
            Fault("the port for \"%s\" is \"%s\"", name, port->IndexText());
        const auto [at, added] = ports.emplace(name, port);
        if (!added && at->second != port) Fault("a second port for \"%s\"", name);
        if (create) names.insert(name);
    }
    const QV_SetValue& connected = multiport.ConnectionNames().Value();
    if (connected.SetSize() != static_cast<int>(names.size()))
        Fault("%d connection names for %zu", connected.SetSize(), names.size());
    int k = 0;
    for (const std::string& name : names)
        if (name != connected.String(k++))
            Fault("connection name %d is not \"%s\"", k - 1, name.c_str());
    // The multiport itself, then its ports in the order of their names.
    if (multiport.PortCount(false) != static_cast<int>(ports.size()) + 1)
        Fault("%d ports numbered for %zu", multiport.PortCount(false), ports.size());
    k = 1;
    for (const auto& [name, port] : ports) {
        int index = k++;
        if (multiport.GetPort(index, false) != port)
            Fault("port %d is not the one of \"%s\"", k - 1, name.c_str());
    }
}

// One flavour of each port type: the flavours of a port type differ only in their class.
void (*const kFlavours[])(ByteReader&, TextSource&) = {
    RunPorts<QV_QV_MICONTROLPORT, QV_CONTROLPORT>,
    RunPorts<QV_QV_MIOGENERICPORT, QV_GENERICPORT>,
    RunPorts<QV_QV_MOCONNECTIONPORT, QV_CONNECTIONPORT>,
};

} // namespace

void FuzzConnectionPorts(ByteReader& in) {
    TextSource texts(in);
    kFlavours[in.Choice(3)](in, texts);
}

} // namespace norvane::fuzz
