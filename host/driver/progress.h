// How far a long run has come, told on stderr. A run that ends within its first seconds says
// nothing; after that each new phase prints a line with the share of the run done, and so
// does a long phase every few seconds.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

class Progress {
public:
    // `total`: the work of the whole run, in the units its phases are given in.
    explicit Progress(double total, std::FILE* out = stderr);

    // Starts a phase of `work` units; the phases before it count as done.
    void Phase(const std::string& name, double work);
    // The share of the current phase done, 0 .. 1.
    void Advance(double share);
    // Says how long the run took, when it has said anything.
    void Finish();

private:
    double Seconds() const;
    void Report();

    std::FILE* m_out;
    double m_total;
    double m_before = 0; // work of the phases done
    double m_work = 0;   // work of the current phase
    double m_share = 0;  // of the current phase
    std::string m_phase;
    std::chrono::steady_clock::time_point m_start;
    double m_lastReport = -1; // seconds since the start; negative: nothing said yet
};
