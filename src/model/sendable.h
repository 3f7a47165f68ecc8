#pragma once
// Every data byte of a system-exclusive message must stay below 80H: the instrument reads a
// higher byte as the status byte of another message, drops the data set and takes the rest for
// something else. Sound data edited in the program never holds one, but files can (a library
// stores raw bytes, and a damaged .Syx may carry one between its F0 and F7), so whatever sends an
// element whole looks first and sends nothing of it when one is there.
#include <QString>

class TLibElem;

// Why the element cannot be sent, naming it (and the member of a bank or global dump) and the
// block and offset of its first byte above 7FH; empty when every data byte can be sent.
QString UnsendableText(TLibElem& element);
// Before an element is sent whole: true when it can be; otherwise the refusal is shown, the
// transfer marked failed, and false returned.
bool CheckSendable(TLibElem& element);
