#include "tests/integration/echoclient.h"

#include <stdexcept>
#include <vector>

#include <RtMidi.h>

struct TEchoClient::TImpl {
  std::unique_ptr<RtMidiIn> in;
  std::unique_ptr<RtMidiOut> out;

  static void Echo(double, std::vector<unsigned char>* message, void* user) {
    auto* self = static_cast<TImpl*>(user);
    if (message && !message->empty()) self->out->sendMessage(message);
  }
};

TEchoClient::TEchoClient(const std::string& name) : impl_(std::make_unique<TImpl>()) {
  try {
    impl_->in = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, name);
    impl_->out = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, name);
    impl_->out->openVirtualPort(name);
    impl_->in->ignoreTypes(false, false, false);
    impl_->in->setCallback(&TImpl::Echo, impl_.get());
    impl_->in->openVirtualPort(name);
  } catch (const RtMidiError& e) {
    throw std::runtime_error("echo client: " + e.getMessage());
  }
}

TEchoClient::~TEchoClient() {
  impl_->in->closePort();
  impl_->in.reset();
  impl_->out.reset();
}
