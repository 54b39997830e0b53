#include "host/platform_abi/destruction_watch.h"

#include <algorithm>

namespace platform_abi {

DestructionWatch::DestructionWatch() {
    s_watch = this;
    qvhost::ObserveDependences(&Lost);
    qvhost::ObserveFrees(&Freed);
}

DestructionWatch::~DestructionWatch() {
    qvhost::ObserveFrees(nullptr);
    qvhost::ObserveDependences(nullptr);
    s_watch = nullptr;
}

void DestructionWatch::Lost(QV_Containable* dependent, QV_Containable* property) {
    if (s_watch && dependent == s_watch) s_watch->m_gone.push_back(property);
}

void DestructionWatch::Freed(void* block) {
    if (s_watch) s_watch->m_gone.push_back(block);
}

int DestructionWatch::Times(const void* token) const {
    return static_cast<int>(std::count(m_gone.begin(), m_gone.end(), token));
}

std::string DestructionWatch::Order(const std::vector<const void*>& tokens) const {
    std::string order;
    for (const void* gone : m_gone) {
        const auto found = std::find(tokens.begin(), tokens.end(), gone);
        if (found != tokens.end())
            order += (order.empty() ? "" : " ") + std::to_string(found - tokens.begin());
    }
    return order.empty() ? "none" : order;
}

std::string LastFirst(int count) {
    std::string order;
    for (int k = count - 1; k >= 0; --k)
        order += std::to_string(k) + (k > 0 ? " " : "");
    return order;
}

} // namespace platform_abi
