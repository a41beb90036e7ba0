#include "ferrox/link/Plink.h"

namespace Frx {

Plink::Plink() : next(this), prev(this) {}

Plink::Plink(Plink* list) : next(this), prev(this) { LinkTail(list); }

Plink::Plink(const Plink&) : next(this), prev(this) {}

Plink& Plink::operator=(const Plink&) { return *this; }

Plink::~Plink() { Page(); }

void Plink::LinkHead(Plink* head) {
  Page();
  if (!head || head == this) return;
  prev = head;
  next = head->next;
  head->next->prev = this;
  head->next = this;
}

void Plink::LinkTail(Plink* head) {
  Page();
  if (!head || head == this) return;
  next = head;
  prev = head->prev;
  head->prev->next = this;
  head->prev = this;
}

void Plink::Page() {
  next->prev = prev;
  prev->next = next;
  next = this;
  prev = this;
}

unsigned long Plink::Size() const {
  unsigned long n = 0;
  for (const Plink* node = next; node != this; node = node->next) ++n;
  return n;
}

}  // namespace Frx
