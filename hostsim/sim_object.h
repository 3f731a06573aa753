#pragma once

#include "runtime/error.h"
#include "runtime/object.h"
#include "runtime/variant.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace bz::hostsim {

// One argument as the host received it: its variant type (by-reference flag included) and the
// value it held when the call arrived. An object argument is recorded by identity in `object`,
// without a counted reference, so the log never keeps an object alive.
struct ReceivedArgument {
    std::uint16_t variantType;
    Variant value;
    Object* object = nullptr;
};

// One call as the host received it.
struct Call {
    std::u16string object; // the receiving object's label
    MemberId member;
    InvokeKind kind;
    std::vector<ReceivedArgument> args;
    std::vector<std::u16string> namedArgs;
};

using CallLog = std::vector<Call>;

// The answer to one call: the arguments as received, with write access to by-reference ones.
struct Invocation {
    InvokeKind kind;
    std::span<const Argument> args;
    std::span<const std::u16string> namedArgs;

    // The value of argument `index`, following a reference.
    Variant value(std::size_t index) const;
};
using Member = std::function<Variant(Invocation&)>;

// Makes one host call fail, chosen by its position among all the calls the objects of one host
// receive (counted from 1, reports to the transfer object included): for fault injection.
class CallFault {
  public:
    void failCall(std::size_t position, AutomationError error) {
        position_ = position;
        error_ = std::move(error);
    }
    // Counts one call, and raises the error when it is the chosen one.
    void count();
    std::size_t calls() const { return calls_; }

  private:
    std::size_t calls_ = 0;
    std::size_t position_ = 0;
    std::optional<AutomationError> error_;
};

// An in-memory host object: counts references without owning its lifetime (the Host owns every
// object), records every call in the shared log, answers members from its table, and fails on
// demand.
class SimObject : public Object {
  public:
    SimObject(std::u16string label, CallLog& log) : label_(std::move(label)), log_(log) {}
    virtual ~SimObject() = default;

    void addRef() noexcept override { ++references_; }
    void release() noexcept override { --references_; }
    Variant invoke(const MemberId& member, InvokeKind kind, std::span<const Argument> args,
                   std::span<const std::u16string> namedArgs) override;
    ObjectRef queryInterface(const Guid& iid) override;

    const std::u16string& label() const { return label_; }
    int references() const { return references_; }

    void define(const MemberId& member, Member answer) { members_[member] = std::move(answer); }
    // Makes the member a property that answers `value` to every read.
    void setProperty(const MemberId& member, Variant value);
    void remove(const MemberId& member) { members_.erase(member); }
    // Every later call of `member` fails with `error`.
    void fail(const MemberId& member, AutomationError error);
    void recover(const MemberId& member) { failures_.erase(member); }
    void offer(const Guid& iid) { interfaces_.push_back(iid); }
    // Every later call is counted by `fault`, which may fail it.
    void countCallsIn(CallFault& fault) { fault_ = &fault; }

  protected:
    void countCall() {
        if (fault_)
            fault_->count();
    }

  private:
    std::u16string label_;
    CallLog& log_;
    int references_ = 0;
    std::map<MemberId, Member> members_;
    std::map<MemberId, AutomationError> failures_;
    std::vector<Guid> interfaces_;
    CallFault* fault_ = nullptr;
};

// An error the host itself raises, with its own HRESULT and error information.
AutomationError hostError(std::int32_t hresult, std::u16string description);

} // namespace bz::hostsim
