// The areas of the library's text handling that the text target drives, each from the rest of
// one input. Each aborts through Fault at the first fault; each leaves no block behind.
#pragma once

#include "fuzz/byte_reader.h"

namespace norvane::fuzz {

// Index containers under index values and index texts (text_containers.cpp).
void FuzzContainers(ByteReader& in);
// StringInSet against sets of texts, of integers and empty ones (text_sets.cpp).
void FuzzStringInSet(ByteReader& in);
// Method names as the domain matches them (text_methods.cpp).
void FuzzMethodNames(ByteReader& in);
// Container ids as the types compare them (text_container_ids.cpp).
void FuzzContainerIds(ByteReader& in);
// Connection names of the multiports (text_ports.cpp).
void FuzzConnectionPorts(ByteReader& in);
// Residuals in prefix text and block programs, the texts of the equation scheme
// (text_parsers.cpp).
void FuzzSchemeTexts(ByteReader& in);

} // namespace norvane::fuzz
