#include "host/driver/progress.h"

#include <algorithm>

namespace {
constexpr double QuietSeconds = 2.0; // nothing is said before
constexpr double EverySeconds = 5.0; // within a phase, at most once per
} // namespace

Progress::Progress(double total, std::FILE* out)
    : m_out(out), m_total(total), m_start(std::chrono::steady_clock::now()) {}

double Progress::Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

void Progress::Phase(const std::string& name, double work) {
    m_before += m_work;
    m_work = work;
    m_share = 0;
    m_phase = name;
    if (Seconds() >= QuietSeconds) Report();
}

void Progress::Advance(double share) {
    m_share = std::clamp(share, 0.0, 1.0);
    const double now = Seconds();
    if (now >= QuietSeconds && (m_lastReport < 0 || now - m_lastReport >= EverySeconds)) Report();
}

void Progress::Report() {
    const double done = m_total > 0 ? (m_before + m_share * m_work) / m_total : 0.0;
    std::fprintf(m_out, "qvhost: %3.0f%% done, %s\n", 100.0 * std::min(done, 1.0), m_phase.c_str());
    std::fflush(m_out);
    m_lastReport = Seconds();
}

void Progress::Finish() {
    if (m_lastReport < 0) return;
    std::fprintf(m_out, "qvhost: 100%% done in %.0f s\n", Seconds());
    std::fflush(m_out);
}
