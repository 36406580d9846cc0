#pragma once
// The meter's serial port: opening by COM number, the rate, byte-wise writes, reads that
// never wait, and the port choice of the main window and the port dialog.

#include <cstddef>
#include <string_view>

struct HostContext;

void SetBaudIndex(HostContext& ctx, int rate);
void OpenCommPort(HostContext& ctx, int portNumber);
void CloseCommPort(HostContext& ctx);
void WriteComm(HostContext& ctx, std::string_view bytes);  // one write per byte
// What is buffered; a port whose meter went away is closed here, with one message.
std::size_t ReadComm(HostContext& ctx, char* buffer, std::size_t count);
// After the meter went away, opens the chosen port again (its failure reported as any failed
// open); false when it stays closed. True at once when nothing went away.
bool ReopenHungUpPort(HostContext& ctx);
void SendCommand(HostContext& ctx, std::string_view text);  // the text, then CR LF

// "CBHostPort" or "CBBaudRate" changed.
void CBHostPortChange(HostContext& ctx);
// The "Select COM Port" panel and the port dialog's OK button.
void PCOMPortClick(HostContext& ctx);
void SelectHPFormBTOKClick(HostContext& ctx);
