// The Linux previewer's platform: a portable locale and the component's core in-process.
#include "locale_choice.h"
#include "preview_platform.h"
#include "shell/tembra_link_helper.h"

namespace bz::preview {

namespace {

class CoreLinkHelper final : public LinkHelper {
  public:
    explicit CoreLinkHelper(const Locale& locale) : helper_(locale) {}

    void setActiveCollegeReference(Object& college) override {
        Variant reference = ObjectRef(&college);
        helper_.ITembraLinkHelper_SetActiveCollegeReference(reference);
    }
    void prepareAvailabilityTransfer() override { helper_.PrepareAvailabilityTransfer(nullptr); }
    void setAvailabilityByString(Object& resource, const std::u16string& pattern) override {
        Variant thing = ObjectRef(&resource);
        std::u16string text = pattern;
        helper_.ZEFA_LHF_SetAvailabilityByString(thing, text);
    }
    void finishAvailabilityTransfer(host::TransferObject& transfer) override {
        helper_.FinishAvailabilityTransfer(&transfer);
    }

  private:
    TembraLinkHelper helper_;
};

} // namespace

PreviewLocale previewLocale(const Options& options) {
    LocaleChoice choice = chooseLocale(options.locale);
    return {makePortableLocale(choice.kind), choice.name,
            choice.kind == PortableLocaleKind::EnUs ? DateOrder::MonthFirst : DateOrder::DayFirst,
            std::move(choice.warning)};
}

std::unique_ptr<LinkHelper> makeLinkHelper(const Options&, const Locale& locale) {
    return std::make_unique<CoreLinkHelper>(locale);
}

// rename(2) replaces the target atomically.
std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error;
}

} // namespace bz::preview
