// clsCollection: the general-purpose list of the system. Each object is at
// once a record (the public fields below) and an ordered list of further
// records. Keys live only in the records, so duplicates are allowed and every
// search is a scan in list order.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/variant.h"

namespace common {

class clsCollection : public base::Object {
 public:
  using ItemPtr = std::shared_ptr<clsCollection>;
  using ObjectPtr = std::shared_ptr<base::Object>;

  // The record. Object fields are shared references; the four links are
  // stored as given and never followed, so a tree built with them is the
  // caller's to keep consistent (and to break up: links both ways keep each
  // other alive).
  std::string m_szKey;
  std::int32_t m_lKey = 0;
  std::string m_szData;
  std::string m_szData2;
  std::string m_szData3;
  std::int32_t m_lData = 0;
  std::int32_t m_lData2 = 0;
  std::int32_t m_lData3 = 0;
  ObjectPtr m_oData;
  ObjectPtr m_SiblingLeft;
  ObjectPtr m_SiblingRight;
  ObjectPtr m_Parent;
  ObjectPtr m_Child;
  std::string m_szFilename;
  std::int32_t Index = 0;  // 1-based position in the list that holds the record

  // Appends a new record with these fields; its Index is the new count.
  ItemPtr Add(std::string szKey = {}, std::int32_t lKey = 0, ObjectPtr oData = {},
              std::string szData = {}, std::int32_t lData = 0, ObjectPtr SiblingLeft = {},
              ObjectPtr SiblingRight = {}, ObjectPtr Parent = {}, ObjectPtr Child = {},
              std::string szFilename = {}, std::string szData2 = {}, std::string szData3 = {},
              std::int32_t lData2 = 0, std::int32_t lData3 = 0);
  // Appends a copy of Source (Source itself stays outside the list).
  ItemPtr AddEx(const clsCollection& Source);
  // Exchanges the records' fields; each keeps its Index, so list positions
  // and Index values stay in step.
  static void Swap(clsCollection& o1, clsCollection& O2);
  // A free-standing copy of this object's own fields, Index included.
  ItemPtr DUP() const;
  // Copies Source's fields into Dest (this object when Dest is null) and
  // returns Dest. The list of Dest is not touched.
  clsCollection& FillFrom(const clsCollection& Source, clsCollection* Dest = nullptr);

  // The record at a 1-based list position. With bRaiseError a position past
  // Count raises 5 and one below 1 raises 9 (source "clsCollection");
  // without it a bad position gives null.
  ItemPtr Item(std::int32_t lIndex, bool bRaiseError = false) const;
  // The same; with bObject the record's m_oData instead of the record.
  ObjectPtr Item(std::int32_t lIndex, bool bRaiseError, bool bObject) const;

  // First record whose m_lKey equals a whole-number key (16 or 32 bits), or
  // whose m_szKey equals any other key as text, exactly. Null when none.
  ItemPtr ItemViaKey(const base::Variant& vKey) const;
  ObjectPtr ItemViaKey(const base::Variant& vKey, bool bObject) const;

  // First record whose m_lData/m_szData (position 0 or 1), m_lData2/m_szData2
  // (2) or m_lData3/m_szData3 (3) equals vData: the number fields for a
  // whole-number vData, the text fields otherwise. Any other position finds
  // nothing.
  ItemPtr ItemViaData(const base::Variant& vData, std::int32_t lPosition = 0) const;
  ObjectPtr ItemViaData(const base::Variant& vData, std::int32_t lPosition, bool bObject) const;

  std::int32_t Count() const { return static_cast<std::int32_t>(m_items.size()); }
  // Removes the record at a position and renumbers Index; errors as in Item.
  void Remove(std::int32_t lIndex, bool bRaiseError = false);
  // Drops the list; the records live on wherever else they are held.
  void Clear();

  // The records in list order.
  std::vector<ItemPtr>::const_iterator begin() const { return m_items.begin(); }
  std::vector<ItemPtr>::const_iterator end() const { return m_items.end(); }

  // Positions 0..Count: element 0 is 0, elements 1..Count name the records in
  // ascending order of the named field. The list itself keeps its order.
  // Equal values are exchanged too, so they come out in reverse list order.
  std::vector<std::int32_t> Sort_Bubble(const std::string& fieldName) const;

  // The fields by their exact names ("m_szKey", ..., "Index"); an unknown
  // name raises 438.
  base::Variant Field(const std::string& name) const;
  void SetField(const std::string& name, const base::Variant& value);

 private:
  ItemPtr Append(ItemPtr item);
  bool CheckPosition(std::int32_t lIndex, bool bRaiseError) const;
  void ReIndex();

  std::vector<ItemPtr> m_items;
};

}  // namespace common
