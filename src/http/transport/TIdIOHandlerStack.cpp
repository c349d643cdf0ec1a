#include "http/transport/TIdIOHandlerStack.h"

#include "http/core/EIdException.h"
#include "http/transport/TIdStack.h"

namespace tarnwick::http {

void TIdIOHandlerStack::BindWithinPortRange(TIdSocketHandle& binding) {
    // An explicit port, or no range: one attempt. A range is tried from its lower end.
    const bool useRange = BoundPort == 0 && BoundPortMax > 0 && BoundPortMin <= BoundPortMax;
    const int first = useRange ? BoundPortMin : BoundPort;
    const int last = useRange ? BoundPortMax : BoundPort;
    for (int port = first; port <= last; ++port) {
        binding.SetBoundAddress(BoundIP, port);
        try {
            binding.Bind();
            return;
        } catch (const EIdSocketError&) {
        }
    }
    throw EIdCouldNotBindSocket();
}

void TIdIOHandlerStack::ConnectClient() {
    TIdSocketHandle& binding = *Binding();
    binding.SetIPVersion(IPVersion);
    binding.AllocateSocket();

    binding.SetReuseSocket(ReuseSocket);
    BindWithinPortRange(binding);
    binding.ApplyUseNagle(UseNagle);

    DoStatus(hsResolving, Host);
    const std::string address = TIdStack::Instance().ResolveHost(Host, IPVersion);
    binding.SetPeer(address, Port, IPVersion);
    DoStatus(hsConnecting, address);

    // An exchange deadline also limits the connect (a silent address would otherwise take the
    // platform's minutes of retries).
    int timeout = ConnectTimeout;
    const int left = DeadlineLeftMs();
    if (left == 0) {
        Close();
        throw EIdExchangeTimeout();
    }
    if (left > 0 && (timeout <= 0 || left < timeout)) {
        timeout = left;
    }
    if (!binding.Connect(timeout)) {
        Close();
        throw EIdConnectTimeout();
    }
    binding.UpdateBindingLocal();
    binding.UpdateBindingPeer();
    DoStatus(hsConnected, Host);
}

}  // namespace tarnwick::http
