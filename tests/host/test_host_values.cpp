// The host stand-in's parameters and allocator as the model types rely on them: Assign keeps
// a user-fixed value, converts a value to the property's kind and records the assignment's
// tags; the test program's own allocations do not reach the host.
#include <gtest/gtest.h>

#include "host/qv_system.h"
#include "host/qvcore.h"

TEST(HostParameter, AssignKeepsAUserFixedValueAndRecordsTags) {
    QV_INTEGERPARAMETER p(true);
    QV_Value five(5, 7u, 3u, 12);
    EXPECT_EQ(p.Assign(&five), 1);
    EXPECT_EQ(p.v(), 5);
    EXPECT_EQ(p.LastAssignmentNumber(), 12);
    EXPECT_EQ(p.LastTagA(), 3u);
    EXPECT_EQ(p.LastTagB(), 7u);
    p.UserSet(9);
    QV_Value six(6, 0u, 0u, 13);
    EXPECT_EQ(p.Assign(&six), 0);
    EXPECT_EQ(p.v(), 9);
}

TEST(HostParameter, ValuesAreConvertedToThePropertyKind) {
    QV_STRINGSET integrals(true);
    QV_Value none("None", 0u, 0u, 7);
    integrals.Assign(&none);
    EXPECT_EQ(integrals.v() >= "None", 1);
    EXPECT_EQ(integrals.v() >= "idx", 0);

    QV_INTEGERPARAMETER count(true);
    QV_Value real(2.9, 0u, 0u, 1);
    count.Assign(&real);
    EXPECT_EQ(count.v(), 2);
}

TEST(HostAllocator, ProgramAllocationsDoNotReachTheHost) {
    const long calls = qvhost::AllocationCalls();
    auto* plain = new int(4);
    delete plain;
    EXPECT_EQ(qvhost::AllocationCalls(), calls);
}
