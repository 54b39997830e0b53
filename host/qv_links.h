// Properties that refer to other objects: external references (linked by the host to an
// object held elsewhere), type-replaceable properties (which own the object filed in them)
// and references to a global structure by name.
#pragma once

#include "host/qv_model.h"

class QVCORE_API QV_ExternalBase : public QV_Containable {
public:
    explicit QV_ExternalBase(QV_Type* linked);
    QV_ExternalBase(const QV_ExternalBase& other);
    QV_ExternalBase& operator=(const QV_ExternalBase& other);
    ~QV_ExternalBase() override;

    QV_ExternalBase* AddProperty(QV_Containable* owner, const char* name, const char* description,
                                 QV_Direction direction, bool unused);
    QV_Type* ExternalLink() const;
    // Links the reference to `target`. A container whose type does not derive from
    // ExternalTypeName() is refused: false, and the link stays as it was. Null unlinks.
    bool Link(QV_Type* target);
    virtual const char* ExternalTypeName() = 0;

private:
    QV_Type* m_linked;
};

class QVCORE_API QV_VirtualBase : public QV_STRINGPARAMETER {
public:
    explicit QV_VirtualBase(QV_Type* filed);
    // Copies the text and, where both filed objects hold values, the value of the filed object.
    QV_VirtualBase& operator=(const QV_VirtualBase& other);
    QV_VirtualBase(const QV_VirtualBase&) = delete;
    ~QV_VirtualBase() override; // deletes the filed object

    // Registers the property and files a default object (NewDefaultVirtual) if none is filed.
    QV_Type* AddProperty(QV_Containable* owner, const char* name, const char* description,
                         QV_Direction direction, bool unused);
    // The filed object; a default is filed on first use when none is. Null only when no
    // default could be made.
    QV_Type* VirtualLink();
    // Files `object` in place of the current one, which is deleted.
    void File(QV_Type* object);
    // Told that the property's text, which names the type of the object filed, changed: the
    // object filed before no longer stands for it, and a new default one takes its place (this
    // host makes objects of the property's base type only). Nothing changes when no default
    // can be made.
    virtual void PropertyChanged();
    virtual QV_Type* NewDefaultVirtual() = 0;
    virtual const char* VirtualBaseType() = 0;

private:
    QV_Type* m_filed;
};

class QVCORE_API QV_GlobalStructureRefBase : public QV_STRINGPARAMETER {
public:
    explicit QV_GlobalStructureRefBase(QV_ModelType* structure);
    QV_GlobalStructureRefBase& operator=(const QV_GlobalStructureRefBase& other);
    QV_GlobalStructureRefBase(const QV_GlobalStructureRefBase&) = delete;
    ~QV_GlobalStructureRefBase() override;

    // The structure referred to; a placeholder from CreateDummyInstance while none is set.
    QV_ModelType* Dereference();
    // Refers to `structure` when CheckCompatibleStructureType accepts it; else false.
    bool SetStructure(QV_ModelType* structure);
    virtual QV_ModelType* CreateDummyInstance() = 0;
    virtual bool CheckCompatibleStructureType(QV_ModelType* structure) = 0;
    virtual void RemoveActivityAndCancelDependencyForPropertiesControlledBy();

private:
    QV_ModelType* m_structure;
    QV_ModelType* m_dummy;
};
