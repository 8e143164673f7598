// A minimal X session manager (XSMP) for the session end-to-end test. It prints the
// SESSION_MANAGER address to give its client, then reads commands on standard input:
//   save      a checkpoint: "save your data" (SaveYourself, not a shutdown)
//   shutdown  a logout's save (SaveYourself with shutdown), then Die
// and reports on standard output: "registered", "saved", "closed".
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

SmsConn client = nullptr;
bool dieAfterSave = false;

void Say(const char* event) {
  std::printf("%s\n", event);
  std::fflush(stdout);
}

Status Register(SmsConn connection, SmPointer, char*) {
  char* id = SmsGenerateClientID(connection);
  SmsRegisterClientReply(connection, id);
  std::free(id);
  SmsSaveYourself(connection, SmSaveLocal, False, SmInteractStyleNone, False);  // as XSMP asks
  client = connection;
  Say("registered");
  return True;
}

void SaveDone(SmsConn connection, SmPointer, Bool) {
  SmsSaveComplete(connection);
  if (dieAfterSave) {
    SmsDie(connection);
    dieAfterSave = false;
  }
  Say("saved");
}

void Closed(SmsConn connection, SmPointer, int count, char** reasons) {
  SmFreeReasons(count, reasons);
  SmsCleanUp(connection);
  client = nullptr;
  Say("closed");
}

Status NewClient(SmsConn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**) {
  std::memset(callbacks, 0, sizeof *callbacks);
  callbacks->register_client.callback = Register;
  callbacks->save_yourself_done.callback = SaveDone;
  callbacks->close_connection.callback = Closed;
  // The rest as a manager must answer them, doing nothing more.
  callbacks->interact_request.callback = [](SmsConn c, SmPointer, int) { SmsInteract(c); };
  callbacks->interact_done.callback = [](SmsConn, SmPointer, Bool) {};
  callbacks->save_yourself_request.callback = [](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {};
  callbacks->save_yourself_phase2_request.callback = [](SmsConn, SmPointer) {};
  callbacks->set_properties.callback = [](SmsConn, SmPointer, int count, SmProp** properties) {
    for (int i = 0; i < count; ++i) SmFreeProperty(properties[i]);
    std::free(properties);
  };
  callbacks->delete_properties.callback = [](SmsConn, SmPointer, int count, char** names) {
    for (int i = 0; i < count; ++i) std::free(names[i]);
    std::free(names);
  };
  callbacks->get_properties.callback = [](SmsConn c, SmPointer) {
    SmsReturnProperties(c, 0, nullptr);
  };
  *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
          SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
          SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
          SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
  return True;
}

Bool AnyHost(char*) {
  return True;  // the test's own client, on this machine
}

void Command(const std::string& line) {
  if (!client) return;
  if (line == "save") {
    SmsSaveYourself(client, SmSaveBoth, False, SmInteractStyleAny, False);
  } else if (line == "shutdown") {
    dieAfterSave = true;
    SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleAny, False);
  }
}

}  // namespace

int main() {
  char error[256];
  if (!SmsInitialize("qv-test", "1", NewClient, nullptr, AnyHost, sizeof error, error)) return 1;
  int count = 0;
  IceListenObj* listeners = nullptr;
  if (!IceListenForConnections(&count, &listeners, sizeof error, error)) return 1;
  for (int i = 0; i < count; ++i) IceSetHostBasedAuthProc(listeners[i], AnyHost);
  char* address = IceComposeNetworkIdList(count, listeners);
  std::printf("%s\n", address);
  std::fflush(stdout);
  std::vector<IceConn> connections;
  std::string input;
  for (;;) {
    std::vector<pollfd> fds{{STDIN_FILENO, POLLIN, 0}};
    for (int i = 0; i < count; ++i)
      fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
    for (IceConn c : connections) fds.push_back({IceConnectionNumber(c), POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0) return 1;
    if (fds[0].revents) {
      char buffer[256];
      const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
      if (got <= 0) return 0;
      input.append(buffer, static_cast<std::size_t>(got));
      for (std::size_t end; (end = input.find('\n')) != std::string::npos; input.erase(0, end + 1))
        Command(input.substr(0, end));
    }
    for (int i = 0; i < count; ++i)
      if (fds[1 + i].revents) {
        IceAcceptStatus status;
        if (IceConn c = IceAcceptConnection(listeners[i], &status)) connections.push_back(c);
      }
    for (std::size_t i = 0; i < connections.size(); ++i)
      if (fds[1 + count + i].revents) {
        Bool reply = False;
        if (IceProcessMessages(connections[i], nullptr, &reply) == IceProcessMessagesIOError) {
          IceCloseConnection(connections[i]);
          connections.erase(connections.begin() + static_cast<long>(i));
          break;
        }
      }
  }
}
