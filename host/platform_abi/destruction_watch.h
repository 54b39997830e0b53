// Watches objects go, so that the order in which a deleting destructor ends them shows: a property
// that the watch depends on tells it when the property goes (the host's dependence observer), and
// the host's allocator tells it of every block that MyFree takes back (its free observer).
#pragma once

#include <string>
#include <vector>

#include "host/qvcore.h"

namespace platform_abi {

// One at a time: it takes the host's observers for its life.
class DestructionWatch : public QV_Containable {
public:
    DestructionWatch();
    ~DestructionWatch() override;
    DestructionWatch(const DestructionWatch&) = delete;
    DestructionWatch& operator=(const DestructionWatch&) = delete;

    // Makes the destruction of `property` show.
    void Watch(QV_VarParamProp& property) { property.AddDependent(this); }
    // How often `token` (a watched property or a block) went.
    int Times(const void* token) const;
    // The numbers of `tokens` (their places in it) in the order in which they went, e.g. "2 1 0";
    // "none" when none went.
    std::string Order(const std::vector<const void*>& tokens) const;
    // True when the last of what went is `token`.
    bool WentLast(const void* token) const { return !m_gone.empty() && m_gone.back() == token; }

private:
    static void Lost(QV_Containable* dependent, QV_Containable* property);
    static void Freed(void* block);

    static inline DestructionWatch* s_watch = nullptr;
    std::vector<const void*> m_gone; // watched properties and freed blocks, in order
};

// The numbers 0, 1, ... of `count` tokens, last first, as Order writes them: "2 1 0".
std::string LastFirst(int count);

} // namespace platform_abi
