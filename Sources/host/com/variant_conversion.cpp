#include "variant_conversion.h"

#include "dispatch_object.h"
#include "runtime/com/bstr.h"
#include "runtime/com/com_ptr.h"
#include "runtime/com/hresult_error.h"
#include "runtime/com/unique_variant.h"
#include "runtime/error.h"

#include <cstring>
#include <type_traits>

namespace bz::com {

namespace {

// The storage of a VARIANT's value: the union every typed member starts at.
void* payloadOf(VARIANT& value) {
    return &V_BYREF(&value);
}
const void* payloadOf(const VARIANT& value) {
    return &V_BYREF(&value);
}

template <typename T> T read(const void* data) {
    T result;
    std::memcpy(&result, data, sizeof result);
    return result;
}

Variant fromSafeArray(SAFEARRAY* array, VARTYPE elementType);

// Whether `type` is a number the automation runtime converts that the core holds in no type of
// its own: Decimal and the integers of other widths and signedness.
bool isOtherNumber(VARTYPE type) {
    switch (type) {
    case VT_DECIMAL:
    case VT_I1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
        return true;
    default:
        return false;
    }
}

bool sameNumber(VARIANT& a, VARIANT& b) {
    UniqueVariant left;
    UniqueVariant right;
    check(VariantChangeTypeEx(left.put(), &a, LOCALE_USER_DEFAULT, 0, VT_DECIMAL));
    check(VariantChangeTypeEx(right.put(), &b, LOCALE_USER_DEFAULT, 0, VT_DECIMAL));
    return VarDecCmp(&V_DECIMAL(&left.get()), &V_DECIMAL(&right.get())) == VARCMP_EQ;
}

// Such a number at `data`, converted by the platform to the first of Long and Currency that
// holds it exactly, else to the nearest Double.
Variant fromOtherNumber(VARTYPE type, const void* data) {
    VARIANT source;
    V_VT(&source) = static_cast<VARTYPE>(type | VT_BYREF);
    V_BYREF(&source) = const_cast<void*>(data);
    for (const VARTYPE exact : {VARTYPE{VT_I4}, VARTYPE{VT_CY}}) {
        UniqueVariant candidate;
        if (SUCCEEDED(
                VariantChangeTypeEx(candidate.put(), &source, LOCALE_USER_DEFAULT, 0, exact)) &&
            sameNumber(candidate.get(), source))
            return fromVariant(candidate.get());
    }
    UniqueVariant nearest;
    check(VariantChangeTypeEx(nearest.put(), &source, LOCALE_USER_DEFAULT, 0, VT_R8));
    return fromVariant(nearest.get());
}

// The value of type `type` stored at `data` (a by-reference target or an array element).
Variant fromTyped(VARTYPE type, const void* data) {
    switch (type) {
    case VT_EMPTY:
        return Variant();
    case VT_NULL:
        return Variant(Null{});
    case VT_I2:
        return Variant(read<std::int16_t>(data));
    case VT_I4:
        return Variant(read<std::int32_t>(data));
    case VT_R4:
        return Variant(read<float>(data));
    case VT_R8:
        return Variant(read<double>(data));
    case VT_CY:
        return Variant(Currency{read<std::int64_t>(data)});
    case VT_DATE:
        return Variant(DateValue{read<double>(data)});
    case VT_BSTR:
        return Variant(fromBstr(read<BSTR>(data)));
    case VT_DISPATCH:
        return Variant(DispatchObject::wrap(ComPtr<IDispatch>(read<IDispatch*>(data))));
    case VT_UNKNOWN:
        return Variant(DispatchObject::wrap(ComPtr<IUnknown>(read<IUnknown*>(data))));
    case VT_ERROR:
        return Variant(ErrorValue{read<std::int32_t>(data)});
    case VT_BOOL:
        return Variant(Boolean{read<VARIANT_BOOL>(data) != VARIANT_FALSE});
    case VT_UI1:
        return Variant(read<std::uint8_t>(data));
    case VT_VARIANT:
        return fromVariant(*static_cast<const VARIANT*>(data));
    default:
        if (isOtherNumber(type))
            return fromOtherNumber(type, data);
        raiseHresult(DISP_E_BADVARTYPE);
    }
}

class ArrayData {
  public:
    explicit ArrayData(SAFEARRAY* array) : array_(array) {
        check(SafeArrayAccessData(array_, &data_));
    }
    ArrayData(const ArrayData&) = delete;
    ArrayData& operator=(const ArrayData&) = delete;
    ~ArrayData() { SafeArrayUnaccessData(array_); }

    // Elements in memory order: the first index varies fastest, as in the core's arrays.
    std::byte* element(std::size_t index) const {
        return static_cast<std::byte*>(data_) + index * SafeArrayGetElemsize(array_);
    }

  private:
    SAFEARRAY* array_;
    void* data_ = nullptr;
};

// Arrays of numbers the core has no type for hold their elements as Variants.
VarType coreElementType(VARTYPE type) {
    if (isOtherNumber(type))
        return VarType::Variant;
    return type == VT_UNKNOWN || type == VT_DISPATCH ? VarType::Object : static_cast<VarType>(type);
}

VARTYPE comElementType(VarType type) {
    return type == VarType::Object ? VARTYPE{VT_DISPATCH} : static_cast<VARTYPE>(type);
}

Variant fromSafeArray(SAFEARRAY* array, VARTYPE elementType) {
    std::vector<ArrayBound> bounds;
    if (array) {
        for (UINT dimension = 1; dimension <= SafeArrayGetDim(array); ++dimension) {
            LONG lower = 0;
            LONG upper = 0;
            check(SafeArrayGetLBound(array, dimension, &lower));
            check(SafeArrayGetUBound(array, dimension, &upper));
            bounds.push_back({lower, static_cast<std::uint32_t>(upper - lower + 1)});
        }
    }
    Array result(coreElementType(elementType), std::move(bounds));
    if (!result.elements().empty()) {
        const ArrayData data(array);
        for (std::size_t i = 0; i < result.elements().size(); ++i)
            result.elements()[i] = fromTyped(elementType, data.element(i));
    }
    return Variant(std::move(result));
}

SAFEARRAY* toSafeArray(const Array& array) {
    const VARTYPE elementType = comElementType(array.elementType());
    std::vector<SAFEARRAYBOUND> bounds;
    for (const ArrayBound& bound : array.bounds())
        bounds.push_back({bound.count, bound.lower});
    SAFEARRAY* result =
        SafeArrayCreate(elementType, static_cast<UINT>(bounds.size()), bounds.data());
    if (!result)
        throw std::bad_alloc();
    try {
        const ArrayData data(result);
        for (std::size_t i = 0; i < array.elements().size(); ++i) {
            UniqueVariant element;
            toVariant(array.elements()[i], *element.put());
            storeAs(elementType, data.element(i), element.get(), LOCALE_USER_DEFAULT);
        }
    } catch (...) {
        SafeArrayDestroy(result);
        throw;
    }
    return result;
}

std::size_t sizeOfType(VARTYPE type) {
    switch (type) {
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_R8:
    case VT_DATE:
    case VT_CY:
        return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return sizeof(void*);
    default:
        raiseHresult(DISP_E_BADVARTYPE);
    }
}

// Frees what a by-reference target or array element of type `type` holds.
void releaseStored(VARTYPE type, void* target) {
    if (type == VT_BSTR)
        SysFreeString(read<BSTR>(target));
    else if (type == VT_DISPATCH || type == VT_UNKNOWN)
        ComPtr<IUnknown>::attach(read<IUnknown*>(target));
}

} // namespace

Variant fromVariant(const VARIANT& value) {
    const VARTYPE type = V_VT(&value);
    const bool byRef = (type & VT_BYREF) != 0;
    if (type & VT_ARRAY)
        return fromSafeArray(byRef ? *V_ARRAYREF(&value) : V_ARRAY(&value), type & VT_TYPEMASK);
    if (byRef)
        return fromTyped(type & VT_TYPEMASK, V_BYREF(&value));
    // A Decimal fills the whole VARIANT, its type field included.
    return fromTyped(type, type == VT_DECIMAL ? &V_DECIMAL(&value) : payloadOf(value));
}

void toVariant(const Variant& value, VARIANT& target) {
    initVariant(target);
    std::visit(
        [&target](const auto& item) {
            using T = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<T, Empty>) {
            } else if constexpr (std::is_same_v<T, Null>) {
                V_VT(&target) = VT_NULL;
            } else if constexpr (std::is_same_v<T, std::int16_t>) {
                V_VT(&target) = VT_I2;
                V_I2(&target) = item;
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
                V_VT(&target) = VT_I4;
                V_I4(&target) = item;
            } else if constexpr (std::is_same_v<T, float>) {
                V_VT(&target) = VT_R4;
                V_R4(&target) = item;
            } else if constexpr (std::is_same_v<T, double>) {
                V_VT(&target) = VT_R8;
                V_R8(&target) = item;
            } else if constexpr (std::is_same_v<T, Currency>) {
                V_VT(&target) = VT_CY;
                V_CY(&target).int64 = item.scaled;
            } else if constexpr (std::is_same_v<T, DateValue>) {
                V_VT(&target) = VT_DATE;
                V_DATE(&target) = item.value;
            } else if constexpr (std::is_same_v<T, std::u16string>) {
                V_BSTR(&target) = UniqueBstr(item).detach();
                V_VT(&target) = VT_BSTR;
            } else if constexpr (std::is_same_v<T, ObjectRef>) {
                const DispatchObject* adapter = item ? adapterOf(*item) : nullptr;
                if (item && !adapter)
                    raiseHresult(E_NOINTERFACE);
                IUnknown* object = adapter ? adapter->unknown() : nullptr;
                IDispatch* dispatch = adapter ? adapter->dispatch() : nullptr;
                if (object && !dispatch) { // an object without IDispatch goes back as it came
                    V_UNKNOWN(&target) = ComPtr<IUnknown>(object).detach();
                    V_VT(&target) = VT_UNKNOWN;
                    return;
                }
                V_DISPATCH(&target) = ComPtr<IDispatch>(dispatch).detach();
                V_VT(&target) = VT_DISPATCH;
            } else if constexpr (std::is_same_v<T, ErrorValue>) {
                V_VT(&target) = VT_ERROR;
                V_ERROR(&target) = item.scode;
            } else if constexpr (std::is_same_v<T, Boolean>) {
                V_VT(&target) = VT_BOOL;
                V_BOOL(&target) = item.value ? VARIANT_TRUE : VARIANT_FALSE;
            } else if constexpr (std::is_same_v<T, std::uint8_t>) {
                V_VT(&target) = VT_UI1;
                V_UI1(&target) = item;
            } else {
                static_assert(std::is_same_v<T, Array>);
                V_ARRAY(&target) = toSafeArray(item);
                V_VT(&target) = static_cast<VARTYPE>(VT_ARRAY | comElementType(item.elementType()));
            }
        },
        value.storage());
}

Variant takeVariant(VARIANT& value) {
    // An IDispatch reference passes to its adapter as it is; anything else is converted and
    // freed.
    if (V_VT(&value) == VT_DISPATCH) {
        V_VT(&value) = VT_EMPTY;
        return DispatchObject::wrap(ComPtr<IDispatch>::attach(V_DISPATCH(&value)));
    }
    Variant result = fromVariant(value);
    clearVariant(value);
    return result;
}

void storeAs(VARTYPE type, void* target, VARIANT& value, LCID lcid) {
    if (type == VT_VARIANT) {
        VARIANT& destination = *static_cast<VARIANT*>(target);
        VariantClear(&destination);
        destination = value;
        VariantInit(&value);
        return;
    }
    check(VariantChangeTypeEx(&value, &value, lcid, 0, type));
    releaseStored(type, target);
    std::memcpy(target, payloadOf(value), sizeOfType(type));
    VariantInit(&value);
}

} // namespace bz::com
