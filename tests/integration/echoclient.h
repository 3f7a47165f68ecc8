#pragma once
// A JACK client with one virtual input and one virtual output port, both called name, that
// sends back every message it receives, timing and active sensing included.
#include <memory>
#include <string>

class TEchoClient {
 public:
  explicit TEchoClient(const std::string& name);  // throws std::runtime_error
  ~TEchoClient();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};
