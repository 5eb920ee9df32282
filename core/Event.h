#pragma once
// Events are method pointers: a bound handler and the name it is known by, so that a stored
// description can bind a handler by name and a writer can write the name back. An
// unassigned event is not raised.

#include <functional>
#include <string>
#include <utility>

namespace vd {

class TComponent;

template <typename... TArgs>
class TEvent {
public:
  using THandler = std::function<void(TArgs...)>;
  // The signature of the handler methods that can be bound to the event.
  using TSignature = void(TArgs...);

  TEvent() = default;
  TEvent(std::u16string handlerName, std::function<void(TArgs...)> handler)
      : FHandler(std::move(handler)), FHandlerName(std::move(handlerName)) {}

  bool Assigned() const { return static_cast<bool>(FHandler); }
  const std::u16string& HandlerName() const { return FHandlerName; }
  void operator()(TArgs... args) const {
    if (FHandler) FHandler(args...);
  }

private:
  std::function<void(TArgs...)> FHandler;
  std::u16string FHandlerName;
};

// An event whose only argument is the component that raises it.
using TNotifyEvent = TEvent<TComponent*>;

}  // namespace vd
