// The report call on the host's transfer object: vtable entry 27, by-value text and two -1.
#include "host/com/transfer_object.h"
#include "hostsim/host.h"
#include "transfer_stand_in.h"

#include <gmock/gmock.h>

namespace bz::test {
namespace {

TEST(TransferObjectAdapter, ReportReachesTheReportOperation) {
    hostsim::Host host;
    com::TransferObjectAdapter transfer(transferStandIn(host.transfer()));
    transfer.report(u"\r\nError converting availability for 'Room 12': Setting Availabilities", -1,
                    -1);
    ASSERT_EQ(host.transfer().reports().size(), 1u);
    EXPECT_EQ(host.transfer().reports()[0].text,
              u"\r\nError converting availability for 'Room 12': Setting Availabilities");
    EXPECT_EQ(host.transfer().reports()[0].flag1, -1);
    EXPECT_EQ(host.transfer().reports()[0].flag2, -1);
}

TEST(TransferObjectAdapter, FailedReportRaisesTheHostsErrorWithItsInformation) {
    hostsim::Host host;
    host.transfer().failReports(
        hostsim::hostError(static_cast<std::int32_t>(0x80045678), u"cannot report"));
    com::TransferObjectAdapter transfer(transferStandIn(host.transfer()));
    try {
        transfer.report(u"text", -1, -1);
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.hresult()), 0x80045678u);
        EXPECT_EQ(error.description(), u"cannot report");
        EXPECT_EQ(error.source(), u"Host");
    }
}

} // namespace
} // namespace bz::test
