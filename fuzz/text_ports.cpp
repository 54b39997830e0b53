// Connection names of the multiports, as the host hands them over: one port per name, the same
// port for the same name, found again by name, numbered in the order of the names; no port and
// no name for a null text.
#include "fuzz/fault.h"
#include "fuzz/text_areas.h"
#include "fuzz/text_source.h"
#include "types/connectivity/mi_connection_port.h"
#include "types/connectivity/mi_control_port.h"
#include "types/connectivity/mi_generic_port.h"
#include "types/connectivity/mio_connection_port.h"
#include "types/connectivity/mio_control_port.h"
#include "types/connectivity/mio_generic_port.h"
#include "types/connectivity/mo_connection_port.h"
#include "types/connectivity/mo_control_port.h"
#include "types/connectivity/mo_generic_port.h"

#include <map>
#include <set>
#include <string>

namespace norvane::fuzz {
namespace {

// A flavour with the set of connection names in reach.
template <class Flavour> struct Probe final : Flavour {
    using QV_MULTIPORT_BaseType::ConnectionNames;
};

template <class Flavour, class Port> class PortRun {
public:
    PortRun(ByteReader& in, TextSource& texts) : m_in(in), m_texts(texts) {}

    void Run() {
        QV_MULTIPORT_BaseType& base = m_multiport; // the host calls through its own class
        for (int op = 0; op < 32 && m_in.Byte() != 0; ++op) {
            const char* name = m_texts.Next(0);
            const bool create = m_in.Flag();
            QV_PortType* port = create ? base.CreateConnectionPort(name, m_in.Byte())
                                       : base.FindConnectionPort(name);
            if (!name) {
                if (port) Fault("a port for no name");
                continue;
            }
            Expect(name, port);
            if (create) m_names.insert(name);
        }
        ExpectNames();
        ExpectNumbering();
    }

private:
    void Expect(const char* name, QV_PortType* port) {
        if (!dynamic_cast<Port*>(port)) Fault("no port of the flavour's type for \"%s\"", name);
        if (std::string(name) != port->IndexText())
            Fault("the port for \"%s\" is \"%s\"", name, port->IndexText());
        const auto [at, added] = m_ports.emplace(name, port);
        if (!added && at->second != port) Fault("a second port for \"%s\"", name);
    }

    void ExpectNames() {
        const QV_SetValue& names = m_multiport.ConnectionNames().Value();
        if (names.SetSize() != static_cast<int>(m_names.size()))
            Fault("%d connection names for %zu", names.SetSize(), m_names.size());
        int k = 0;
        for (const std::string& name : m_names)
            if (name != names.String(k++))
                Fault("connection name %d is \"%s\"", k - 1, name.c_str());
    }

    // The multiport itself, then its ports in the order of their names.
    void ExpectNumbering() {
        if (m_multiport.PortCount(false) != static_cast<int>(m_ports.size()) + 1)
            Fault("%d ports numbered for %zu", m_multiport.PortCount(false), m_ports.size());
        int k = 1;
        for (const auto& [name, port] : m_ports) {
            int index = k++;
            if (m_multiport.GetPort(index, false) != port)
                Fault("port %d is not the one of \"%s\"", k - 1, name.c_str());
        }
    }

    ByteReader& m_in;
    TextSource& m_texts;
    Probe<Flavour> m_multiport;
    std::set<std::string> m_names;               // the names connected, in byte order
    std::map<std::string, QV_PortType*> m_ports; // every port made, connected or only found
};

template <class Flavour, class Port> void RunPorts(ByteReader& in, TextSource& texts) {
    PortRun<Flavour, Port>(in, texts).Run();
}

using RunFunction = void (*)(ByteReader&, TextSource&);
const RunFunction kFlavours[] = {
    RunPorts<QV_QV_MICONTROLPORT, QV_CONTROLPORT>,
    RunPorts<QV_QV_MOCONTROLPORT, QV_CONTROLPORT>,
    RunPorts<QV_QV_MIOCONTROLPORT, QV_CONTROLPORT>,
    RunPorts<QV_QV_MIGENERICPORT, QV_GENERICPORT>,
    RunPorts<QV_QV_MOGENERICPORT, QV_GENERICPORT>,
    RunPorts<QV_QV_MIOGENERICPORT, QV_GENERICPORT>,
    RunPorts<QV_QV_MICONNECTIONPORT, QV_CONNECTIONPORT>,
    RunPorts<QV_QV_MOCONNECTIONPORT, QV_CONNECTIONPORT>,
    RunPorts<QV_QV_MIOCONNECTIONPORT, QV_CONNECTIONPORT>,
};
constexpr int kFlavourCount = static_cast<int>(sizeof kFlavours / sizeof kFlavours[0]);

} // namespace

void FuzzConnectionPorts(ByteReader& in) {
    TextSource texts(in);
    kFlavours[in.Choice(kFlavourCount)](in, texts);
}

} // namespace norvane::fuzz
