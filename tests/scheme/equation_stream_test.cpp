// The equations of the one-, two- and three-dimensional distributions as the host holds them,
// checked against a digest of each road's equation stream: every change to a loop program, a
// family number, a stencil or the walk shows as a changed stream. A road runs one method in
// every direction over sections of several elements. Under second order with every integral
// it takes every branch of the programs; the roads of "every" method in turn under first
// order, or under none with one integral, show each program's sub-block and integral tests
// switch, and "none" leaves the start groups alone.
//
// The stream lists each equation as its name and group, then its prefix tokens: an operator
// code, an integer, a real as the shortest text that reads back to it, or a variable as its
// path (a domain's variable after X:, Y: or Z:). The digest is FNV-1a 64 of the text.
//
// When a road's digest differs, its stream is written to <road>.stream in the working
// directory and the failure gives the row that the new stream would have. To accept a change
// to the equations on purpose: run the test on the commit before it and after it, diff the two
// streams of each road that failed, and copy the new rows into kGolden.
#include "tests/scheme/distribution_road.h"
#include "tests/scheme/pass_agreement.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <unordered_map>

namespace norvane::test {
namespace {

struct Golden {
    int dimensions;
    const char* method;    // in mixed case, as methods are matched in any case; or "every" method
    int order;             // HIGHESTORDERDERIVATIVE of every domain
    const char* integrals; // INTEGRALS: one name, "all" of the type's or "junk"
    int equations;
    std::uint64_t digest;
};

// clang-format off
const Golden kGolden[] = {
    {1, "none", 2, "all", 1, 0x8ef93770dbd1a8a8ull},
    {1, "bfd1", 2, "all", 37, 0xfcaf4f270ddbf39ull},
    {1, "Bfd2", 2, "all", 37, 0xfb720e540fd7d56bull},
    {1, "FFD1", 2, "all", 37, 0xffeb4433919713c9ull},
    {1, "ffd2", 2, "all", 37, 0xe70a0f7d7d2289caull},
    {1, "Cfd2", 2, "all", 37, 0xe62e92f7761f5af3ull},
    {1, "cfd4", 2, "all", 37, 0xa5794c73c374d275ull},
    {1, "UBfd4", 2, "all", 37, 0x5321fc416ab51ee3ull},
    {1, "ocfe2", 2, "all", 37, 0xa481f8ceadfdebbaull},
    {1, "OCfe3", 2, "all", 55, 0xf5728283c2ba245full},
    {1, "Ocfe4", 2, "all", 73, 0xabb2246e0fa29d9bull},
    {1, "every", 1, "junk", 136, 0x43d7c8472bb74499ull},
    {1, "every", 3, "junk", 240, 0x5a74a57b4cc45e54ull},
    {1, "every", 0, "idx", 136, 0x5ab2256a3bbdd705ull},
    {2, "none", 2, "all", 43, 0xf4d676a79f1c103eull},
    {2, "bfd1", 2, "all", 752, 0x3ed156b6e33dd443ull},
    {2, "Bfd2", 2, "all", 752, 0xff3203386f4c5736ull},
    {2, "FFD1", 2, "all", 752, 0xc9359b0dffac11b4ull},
    {2, "ffd2", 2, "all", 752, 0xb2eeb7858a6c9473ull},
    {2, "Cfd2", 2, "all", 752, 0x16e0439a7b7c15beull},
    {2, "cfd4", 2, "all", 752, 0xec783753b7904452ull},
    {2, "UBfd4", 2, "all", 752, 0xc83b7b076cd1777bull},
    {2, "ocfe2", 2, "all", 722, 0x5fd2e1b3b2bcd8c3ull},
    {2, "OCfe3", 2, "all", 1574, 0x1069c7861877e97ull},
    {2, "Ocfe4", 2, "all", 2762, 0x8a788a6c63299958ull},
    {2, "every", 1, "junk", 2600, 0x3fa2a8b7c03b22bcull},
    {2, "every", 0, "idx", 1300, 0xdab1ee19d7af9b97ull},
    {2, "every", 0, "idy", 1300, 0xf746a88635a7732ull},
    {2, "every", 0, "idxdy", 2600, 0xd4a36b93c47e3a29ull},
    {3, "none", 2, "all", 1199, 0xfe9868aa69fba28bull},
    {3, "bfd1", 2, "all", 12511, 0x286910f748ae8c31ull},
    {3, "Bfd2", 2, "all", 12511, 0x5b5a7101c31e93c0ull},
    {3, "FFD1", 2, "all", 12511, 0xe048400fb4603a54ull},
    {3, "ffd2", 2, "all", 12511, 0xf273f87cc17a7455ull},
    {3, "Cfd2", 2, "all", 12511, 0xfbc2fa2366622059ull},
    {3, "cfd4", 2, "all", 12511, 0x96500a98f5e1e38cull},
    {3, "UBfd4", 2, "all", 12511, 0xdcf04763cdab4965ull},
    {3, "ocfe2", 2, "all", 11895, 0x32d044bff3bae0e8ull},
    {3, "OCfe3", 2, "all", 37361, 0xb705c33c15aaa6baull},
    {3, "Ocfe4", 2, "all", 85803, 0x42e5dd9b655eed91ull},
    {3, "every", 1, "junk", 38064, 0x49814ce0f841e8cull},
    {3, "every", 0, "idx", 12688, 0x4cfb3d7606645f13ull},
    {3, "every", 0, "idy", 12688, 0x1ecddfc6280408e3ull},
    {3, "every", 0, "idz", 12688, 0x6167a8804c6b1aebull},
    {3, "every", 0, "idxdy", 25376, 0x18d4e853b4ca683eull},
    {3, "every", 0, "idxdz", 25376, 0xbcceb0889bcfd64aull},
    {3, "every", 0, "idydz", 25376, 0xdd7f96b1c2724a10ull},
    {3, "every", 0, "idxdydz", 38064, 0x228ad05126d470c5ull},
};
// clang-format on

// Sections per direction, each of four intervals (the domain rounds them up to whole elements):
// the finite-difference stencils reach every branch, and a section holds two collocation
// elements, so that elements join within a section as well as between sections. OCFE4 has
// elements of four intervals and gets eight.
constexpr int kSections[] = {3, 2, 2};

std::string RoadName(const Golden& g) {
    return std::to_string(g.dimensions) + "D-" + g.method + "-order" + std::to_string(g.order) +
           "-" + g.integrals;
}

// The equation stream of a road: FNV-1a 64 of its text, its equations, the families seen,
// and the text itself when asked for.
struct Stream {
    std::uint64_t digest = 14695981039346656037ull;
    int equations = 0;
    std::set<int>* families;
    std::string* text;

    void Line(const std::string& line) {
        for (unsigned char c : line)
            digest = (digest ^ c) * 1099511628211ull;
        ++equations;
        families->insert(std::atoi(line.c_str() + 6)); // "QV_Eqn<k>"
        if (text != nullptr) *text += line;
    }
};

// The variable's path; a domain's variable after the direction of its domain.
template <class Road> std::string VariableText(Road& road, const QV_Containable* v) {
    std::string path = qvhost::PathOf(*v);
    if (path.find('.') == std::string::npos) return path;
    for (const QV_Containable* p = v; p != nullptr;) {
        for (int d = 0; d < road.kDimensions; ++d)
            if (p == road.domain[d]) return std::string(1, "XYZ"[d]) + ':' + path;
        p = p->FiledIn() != nullptr  ? p->FiledIn()
            : p->Parent() != nullptr ? p->Parent()
                                     : p->Owner();
    }
    return path;
}

// The text of a token; a variable's text is made once per road.
template <class Road>
void AppendToken(std::string& line, Road& road, const QV_ExprToken& t,
                 std::unordered_map<const QV_VarParam*, std::string>& names) {
    char real[32];
    switch (t.kind) {
    case QV_ExprToken::Operator:
        line += "op" + std::to_string(t.op);
        return;
    case QV_ExprToken::Integer:
        line += std::to_string(t.integer);
        return;
    case QV_ExprToken::Real: { // with a point, unlike an integer
        const std::string text(real, std::to_chars(real, real + sizeof real, t.real).ptr);
        line += text.find_first_of(".e") == std::string::npos ? text + ".0" : text;
        return;
    }
    case QV_ExprToken::Variable: {
        std::string& name = names[t.variable];
        if (name.empty()) name = VariableText(road, t.variable);
        line += name;
        return;
    }
    }
}

// Runs the road with the host's last group at 40 and writes its equations to `stream`; both
// passes agree.
template <class Distribution> void RunRoad(const Golden& g, const char* method, Stream& stream) {
    std::vector<Axis> axes;
    const int intervals = SUValue::CompareCI(method, "OCFE4") == 0 && g.order == 2 ? 8 : 4;
    for (int d = 0; d < g.dimensions; ++d)
        axes.push_back({method, kSections[d], 1.0, 1.0 / (kSections[d] * intervals), g.order});
    using Road = DistributionRoad<Distribution>;
    Road road(axes, std::strcmp(g.integrals, "all") == 0 ? Road::Kind::kAllIntegrals : g.integrals);
    road.Assign();
    qvhost::ResetSystem();
    QV_ModelType::m_stLastGroup = 40;
    const int count = road.distribution->SetUpEquations();
    EXPECT_GT(count, 0);
    const qvhost::Pattern pattern = road.Pattern();
    const Distribution& d = *road.distribution;
    EXPECT_EQ(PassDisagreement(d, count, pattern), "");
    std::string line;
    std::unordered_map<const QV_VarParam*, std::string> names;
    for (int e = 0; e < d.EquationCount(); ++e) {
        line = std::string(d.EquationName(e)) + " g" + std::to_string(d.EquationGroup(e));
        for (int t = 0; t < d.TokenCount(e); ++t) {
            line += ' ';
            AppendToken(line, road, d.Token(e, t), names);
        }
        stream.Line(line += '\n');
    }
}

void RunRoads(const Golden& g, Stream& stream) {
    const std::vector<const char*> every(std::begin(kMethods), std::end(kMethods));
    for (const char* method :
         std::strcmp(g.method, "every") == 0 ? every : std::vector<const char*>{g.method}) {
        if (g.dimensions == 1) RunRoad<QV_DISTRIBUTION1D>(g, method, stream);
        if (g.dimensions == 2) RunRoad<QV_DISTRIBUTION2D>(g, method, stream);
        if (g.dimensions == 3) RunRoad<QV_DISTRIBUTION3D>(g, method, stream);
    }
}

// Every road gives its recorded stream, and the roads of each distribution register every
// family it has: a program statement that never emits is noticed.
TEST(EquationStreams, EveryRoadGivesItsRecordedStream) {
    std::set<int> families[3];
    for (const Golden& g : kGolden) {
        Stream stream{};
        stream.families = &families[g.dimensions - 1];
        RunRoads(g, stream);
        if (stream.equations == g.equations && stream.digest == g.digest) continue;
        std::string text;
        Stream again{};
        again.families = stream.families;
        again.text = &text;
        RunRoads(g, again);
        const std::string file = RoadName(g) + ".stream";
        std::ofstream(file, std::ios::binary) << text;
        std::ostringstream row;
        row << "{" << g.dimensions << ", \"" << g.method << "\", " << g.order << ", \""
            << g.integrals << "\", " << stream.equations << ", 0x" << std::hex << stream.digest
            << "ull},";
        ADD_FAILURE() << RoadName(g) << ": the stream differs, written to " << file
                      << "; its row would be\n    " << row.str();
    }
    const int total[] = {90, 207, 379};
    for (int d = 0; d < 3; ++d) {
        EXPECT_EQ(families[d].size(), static_cast<std::size_t>(total[d])) << d + 1 << "D";
        EXPECT_EQ(*families[d].begin(), 1);
        EXPECT_EQ(*families[d].rbegin(), total[d]);
    }
}

} // namespace
} // namespace norvane::test
