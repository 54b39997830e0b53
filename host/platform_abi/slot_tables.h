// The tables of virtual operations that a host built with the platform compiler expects of the
// library's classes: every slot by its number, with the function that must stand there.
#pragma once

#include <string>
#include <vector>

namespace platform_abi {

// The module that exports the function expected in a slot.
enum class Home { Library, Host, Runtime };

struct ExpectedSlot {
    int slot;
    Home home;
    std::string function; // its decorated name, as the module exports it, or CompilerTrap
};

// What the deleting destructor's slot of an abstract class's own table holds: the compiler's
// trap, as no object has an abstract class as its type. The library exports the class's deleting
// destructor by its name all the same.
extern const char* const CompilerTrap;

struct ExpectedTable {
    std::string table;               // the library's export of the class's table
    std::vector<ExpectedSlot> slots; // slots 0 .. n-1 in order: the table has n entries
};

std::vector<ExpectedTable> ExpectedTables();

// Names made from a class's name as its decorated names hold it ("QV_DOMAIN@" for a plain
// class, "?$QV_MULTIPORT@VQV_GENERICPORT@@@" for an instance of a template): the class's table,
// given the base whose table is the class's primary one ("QV_ModelType@@", or "" for a class
// with one table), and its deleting destructor.
std::string TableName(const std::string& decoratedClass, const std::string& primaryBase);
std::string DeletingDestructorName(const std::string& decoratedClass);

} // namespace platform_abi
