// Ptable<T>: an owned, counted array. Elements are real objects: they are
// constructed, copied and destroyed, so tables of strings or references work.
#pragma once

#include <algorithm>
#include <utility>

template <class T>
class Ptable {
 public:
  Ptable() = default;
  Ptable(const Ptable& other) { CopyFrom(other); }
  Ptable(Ptable&& other) noexcept
      : array(std::exchange(other.array, nullptr)), count(std::exchange(other.count, 0)) {}
  virtual ~Ptable() { delete[] array; }

  Ptable& operator=(const Ptable& other) {
    if (this != &other) {
      Ptable copy(other);
      Swap(copy);
    }
    return *this;
  }
  Ptable& operator=(Ptable&& other) noexcept {
    if (this != &other) {
      delete[] array;
      array = std::exchange(other.array, nullptr);
      count = std::exchange(other.count, 0);
    }
    return *this;
  }

  // Grows or shrinks to exactly n elements, keeping the first min(count, n).
  // n <= 0 changes nothing and gives null. New elements are value-initialised.
  T* resize(int n) {
    if (n <= 0) return nullptr;
    T* fresh = new T[n]();
    const int keep = std::min(count, n);
    for (int i = 0; i < keep; ++i) fresh[i] = std::move(array[i]);
    delete[] array;
    array = fresh;
    count = n;
    return array;
  }

  // Frees the array; the table is empty again.
  void clear() {
    delete[] array;
    array = nullptr;
    count = 0;
  }

  int size() const { return count; }
  int GetNum() const { return count; }
  T& operator[](int i) { return array[i]; }
  const T& operator[](int i) const { return array[i]; }

  void Swap(Ptable& other) noexcept {
    std::swap(array, other.array);
    std::swap(count, other.count);
  }

  T* array = nullptr;  // read directly by the mesh and key code
  int count = 0;

 private:
  void CopyFrom(const Ptable& other) {
    if (other.count <= 0 || !other.array) return;
    resize(other.count);
    for (int i = 0; i < count; ++i) array[i] = other.array[i];
  }
};
