#pragma once

#include "host/host_interfaces.h"
#include "period_cells.h"
#include "runtime/object.h"
#include "runtime/variant.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace bz::preview {

// What the host saw while the component served one availability field.
struct FieldEffects {
    int nameReads = 0;          // member 400: the component reads it only to report a failure
    int availabilityStores = 0; // put-references of member 510: the weeks written
    int availableRuns = 0;      // member 616 calls that set a run available
};

// Shared by the previewer's host objects: the patterns line being sent and what it caused.
struct HostContext {
    int line = 0;
    FieldEffects effects;
    // Periods 0 .. sourcePeriods - 1 remember the line that last wrote them (0: none kept).
    std::int32_t sourcePeriods = 0;
};

// An automation object of the previewer's host: counts its references and, when it belongs to
// nobody else, goes with the last one.
class HostObject : public Object {
  public:
    explicit HostObject(bool ownedByReferences) : ownedByReferences_(ownedByReferences) {}
    virtual ~HostObject() = default;
    void addRef() noexcept override { ++references_; }
    void release() noexcept override;
    ObjectRef queryInterface(const Guid& iid) override;

  protected:
    virtual const Guid& interfaceId() const = 0;

  private:
    bool ownedByReferences_;
    int references_ = 0;
};

// The college: answers its members by name from `members` and remembers the last one read, so
// that a set-up the component rejects can name the member it failed on.
class PreviewCollege : public HostObject {
  public:
    explicit PreviewCollege(std::map<std::u16string, Variant> members);
    Variant invoke(const MemberId& member, InvokeKind kind, std::span<const Argument> args,
                   std::span<const std::u16string> namedArgs) override;
    const std::u16string& lastRead() const { return lastRead_; }

  protected:
    const Guid& interfaceId() const override;

  private:
    std::map<std::u16string, Variant> members_;
    std::u16string lastRead_;
};

// A resource as the host keeps it: name (member 400), host key (59) and availability (510).
// Reading 510 hands out an availability object over the current periods; its changes reach the
// resource only when it is assigned back. The periods are shared, not copied, until then.
class PreviewResource : public HostObject {
  public:
    PreviewResource(std::u16string name, std::u16string hostKey, HostContext& context);
    Variant invoke(const MemberId& member, InvokeKind kind, std::span<const Argument> args,
                   std::span<const std::u16string> namedArgs) override;

    const std::u16string& name() const { return name_; }
    const std::u16string& hostKey() const { return hostKey_; }
    const PeriodCells& cells() const { return *cells_; }
    // The line that last wrote period `period`, 0 when none or not kept.
    int sourceOf(std::int32_t period) const;

  protected:
    const Guid& interfaceId() const override;

  private:
    class Availability;
    void store(const Variant& value);

    std::u16string name_;
    std::u16string hostKey_;
    HostContext& context_;
    std::shared_ptr<PeriodCells> cells_;
    std::vector<int> sources_;
};

// The transfer object: keeps the report it receives.
class PreviewTransfer : public host::TransferObject {
  public:
    void report(const std::u16string& text, std::int32_t flag1, std::int32_t flag2) override;
    const std::u16string& text() const { return text_; }

  private:
    std::u16string text_;
};

} // namespace bz::preview
