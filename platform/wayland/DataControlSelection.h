#pragma once

#include <wayland-client.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ext-data-control-v1-client-protocol.h"
#include "platform/wayland/DataControlClipboard.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace quorvantix {

// The two data-control protocols have the same requests and events under different names;
// these name them for DataControlSelection.
struct ExtDataControl {
    using Manager = ext_data_control_manager_v1;
    using Device = ext_data_control_device_v1;
    using Offer = ext_data_control_offer_v1;
    using DeviceListener = ext_data_control_device_v1_listener;
    using OfferListener = ext_data_control_offer_v1_listener;
    static const wl_interface* ManagerInterface() { return &ext_data_control_manager_v1_interface; }
    static Device* GetDevice(Manager* manager, wl_seat* seat) {
        return ext_data_control_manager_v1_get_data_device(manager, seat);
    }
    static void Listen(Device* device, const DeviceListener* listener, void* data) {
        ext_data_control_device_v1_add_listener(device, listener, data);
    }
    static void Listen(Offer* offer, const OfferListener* listener, void* data) {
        ext_data_control_offer_v1_add_listener(offer, listener, data);
    }
    static void Receive(Offer* offer, const char* type, int fd) {
        ext_data_control_offer_v1_receive(offer, type, fd);
    }
    static void Destroy(Manager* manager) { ext_data_control_manager_v1_destroy(manager); }
    static void Destroy(Device* device) { ext_data_control_device_v1_destroy(device); }
    static void Destroy(Offer* offer) { ext_data_control_offer_v1_destroy(offer); }
};

struct WlrDataControl {
    using Manager = zwlr_data_control_manager_v1;
    using Device = zwlr_data_control_device_v1;
    using Offer = zwlr_data_control_offer_v1;
    using DeviceListener = zwlr_data_control_device_v1_listener;
    using OfferListener = zwlr_data_control_offer_v1_listener;
    static const wl_interface* ManagerInterface() {
        return &zwlr_data_control_manager_v1_interface;
    }
    static Device* GetDevice(Manager* manager, wl_seat* seat) {
        return zwlr_data_control_manager_v1_get_data_device(manager, seat);
    }
    static void Listen(Device* device, const DeviceListener* listener, void* data) {
        zwlr_data_control_device_v1_add_listener(device, listener, data);
    }
    static void Listen(Offer* offer, const OfferListener* listener, void* data) {
        zwlr_data_control_offer_v1_add_listener(offer, listener, data);
    }
    static void Receive(Offer* offer, const char* type, int fd) {
        zwlr_data_control_offer_v1_receive(offer, type, fd);
    }
    static void Destroy(Manager* manager) { zwlr_data_control_manager_v1_destroy(manager); }
    static void Destroy(Device* device) { zwlr_data_control_device_v1_destroy(device); }
    static void Destroy(Offer* offer) { zwlr_data_control_offer_v1_destroy(offer); }
};

// Follows a seat's selection through one of the data-control protocols: every offer the
// compositor introduces, with the types it announces, and which of them is the clipboard now.
template <class Protocol>
class DataControlSelection final : public DataControlClipboard::Selection {
    using Manager = typename Protocol::Manager;
    using Device = typename Protocol::Device;
    using Offer = typename Protocol::Offer;

  public:
    DataControlSelection(Manager* manager, wl_seat* seat)
        : manager_(manager), device_(Protocol::GetDevice(manager, seat)) {
        Protocol::Listen(device_, &kDeviceListener, this);
    }
    ~DataControlSelection() override {
        for (const auto& [offer, types] : offers_) {
            Protocol::Destroy(offer);
        }
        Protocol::Destroy(device_);
        Protocol::Destroy(manager_);
    }
    DataControlSelection(const DataControlSelection&) = delete;
    DataControlSelection& operator=(const DataControlSelection&) = delete;

    const std::vector<std::string>* OfferedTypes() const override {
        const auto found = offers_.find(current_);
        return current_ != nullptr && found != offers_.end() ? &found->second : nullptr;
    }
    void Receive(const std::string& type, int fd) override {
        Protocol::Receive(current_, type.c_str(), fd);
    }
    bool Finished() const override { return finished_; }
    std::string_view ProtocolName() const override { return Protocol::ManagerInterface()->name; }

  private:
    static DataControlSelection& Self(void* data) {
        return *static_cast<DataControlSelection*>(data);
    }
    static void OnDataOffer(void* data, Device*, Offer* offer) {
        Self(data).offers_[offer];
        Protocol::Listen(offer, &kOfferListener, data);
    }
    static void OnOfferedType(void* data, Offer* offer, const char* type) {
        Self(data).offers_[offer].emplace_back(type);
    }
    // The previous clipboard's offer, and any offer not chosen, are of no further use.
    static void OnSelection(void* data, Device*, Offer* offer) {
        DataControlSelection& self = Self(data);
        self.current_ = offer;
        std::erase_if(self.offers_, [&](const auto& entry) {
            if (entry.first == offer) {
                return false;
            }
            Protocol::Destroy(entry.first);
            return true;
        });
    }
    static void OnPrimarySelection(void* data, Device*, Offer* offer) {
        DataControlSelection& self = Self(data);
        if (offer != nullptr && offer != self.current_) {
            Protocol::Destroy(offer);
            self.offers_.erase(offer);
        }
    }
    static void OnFinished(void* data, Device*) { Self(data).finished_ = true; }

    static constexpr typename Protocol::DeviceListener kDeviceListener = {
        OnDataOffer, OnSelection, OnFinished, OnPrimarySelection};
    static constexpr typename Protocol::OfferListener kOfferListener = {OnOfferedType};

    Manager* manager_;
    Device* device_;
    std::map<Offer*, std::vector<std::string>> offers_;
    Offer* current_ = nullptr;
    bool finished_ = false;
};

}  // namespace quorvantix
