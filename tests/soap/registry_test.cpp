// The names the registries put on the wire, and how they find and serve an
// interface.
#include "fake_velmora.h"

#include "common/exception.h"
#include "soap/registries.h"

#include <gtest/gtest.h>

using namespace soaptest;
using soap::InvRegistry;

namespace {

// An interface with a namespace of its own and an explicit SOAP action that
// does not start with it.
soap::InterfaceEntry ownInterface() {
    soap::InterfaceEntry own;
    own.name = "IOwn";
    own.unit = "OwnIntf";
    own.ns = "http://example.org/own";
    own.soapAction = "http://example.org/own-IOwn";
    return own;
}

}  // namespace

TEST(InterfaceRegistry, DerivesNamespaceAndSoapActionsFromUnitAndName) {
    FakeVelmora fake;
    const soap::InterfaceEntry* velmora = fake.registry.findByName("IVelmora");
    ASSERT_NE(velmora, nullptr);
    EXPECT_EQ(InvRegistry::namespaceOf(*velmora), "urn:VelmoraIntf-IVelmora");
    EXPECT_EQ(InvRegistry::soapActionOf(*velmora, "BuscaEstoque"), "urn:VelmoraIntf-IVelmora#BuscaEstoque");

    const soap::InterfaceEntry own = ownInterface();
    EXPECT_EQ(InvRegistry::namespaceOf(own), "http://example.org/own");
    EXPECT_EQ(InvRegistry::soapActionOf(own, "Anything"), "http://example.org/own-IOwn");
}

TEST(InterfaceRegistry, FindsByNameIgnoringCaseAndBySoapActionExactly) {
    FakeVelmora fake;
    const soap::InterfaceEntry own = ownInterface();
    fake.registry.registerInterface(own);
    const InvRegistry& r = fake.registry;
    EXPECT_NE(r.findByName("ivelmora"), nullptr);
    EXPECT_EQ(r.findByName("IVelmor"), nullptr);

    // The namespace up to the first "#", exactly as written.
    const soap::InterfaceEntry* velmora = r.findByName("IVelmora");
    EXPECT_EQ(r.findBySoapAction("urn:VelmoraIntf-IVelmora"), velmora);
    EXPECT_EQ(r.findBySoapAction("urn:VelmoraIntf-IVelmora#ImportaOperadores"), velmora);
    EXPECT_EQ(r.findBySoapAction("urn:VelmoraIntf-IVelmora#"), velmora);
    EXPECT_EQ(r.findBySoapAction("urn:velmoraintf-ivelmora"), nullptr);
    EXPECT_EQ(r.findBySoapAction("urn:VelmoraIntf-IVelmora2"), nullptr);
    EXPECT_EQ(r.findBySoapAction(""), nullptr);

    // An explicit SOAP action need not start with the namespace; it matches whole.
    const soap::InterfaceEntry* found = r.findBySoapAction("http://example.org/own-IOwn");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "IOwn");
    EXPECT_EQ(r.findBySoapAction("http://example.org/own#Anything"), found);
    EXPECT_EQ(r.findBySoapAction("http://example.org/own-IOwn#Anything"), nullptr);
}

TEST(InterfaceRegistry, KeepsTheFirstRegistrationAndItsOrder) {
    FakeVelmora fake;
    soap::InterfaceEntry again;
    again.name = "IVelmora";
    again.unit = "Other";
    fake.registry.registerInterface(again);
    soap::InterfaceEntry second;
    second.name = "IWSDLPublish";
    fake.registry.registerInterface(second);

    const auto all = fake.registry.interfaces();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->unit, "VelmoraIntf");
    EXPECT_EQ(all[0]->operations.size(), 3u);
    EXPECT_EQ(all[1]->name, "IWSDLPublish");
    EXPECT_TRUE(fake.registry.hasImplementation("IVelmora"));
    EXPECT_FALSE(fake.registry.hasImplementation("IWSDLPublish"));
}

TEST(InterfaceRegistry, ServesEachCallWithANewObject) {
    FakeVelmora fake;
    auto first = fake.registry.createServingObject("IVelmora");
    auto second = fake.registry.createServingObject("IVelmora");
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(fake.state->objectsCreated, 2);

    try {
        fake.registry.createServingObject("IWSDLPublish");
        FAIL() << "no class implements it";
    } catch (const velmora::Exception& e) {
        EXPECT_STREQ(e.what(), "No class registered for invokable interface IWSDLPublish");
    }
    try {
        fake.registry.registerInvokableClass({"TLoose", "", nullptr});
        FAIL() << "a class must implement an interface";
    } catch (const velmora::Exception& e) {
        EXPECT_STREQ(e.what(), "Invokable Class TLoose implements no interfaces");
    }
}

TEST(TypeRegistry, StartsWithTheScalarsOfXmlSchema) {
    soap::RemTypeRegistry types;
    const auto& text = types.scalar(soap::ScalarType::String);
    const auto& integer = types.scalar(soap::ScalarType::Int);
    const auto& real = types.scalar(soap::ScalarType::Double);
    EXPECT_EQ(text.xmlName, "string");
    EXPECT_EQ(integer.xmlName, "int");
    EXPECT_EQ(real.xmlName, "double");
    for (const auto* t : {&text, &integer, &real}) EXPECT_EQ(t->ns, "http://www.w3.org/2001/XMLSchema");
    EXPECT_EQ(text.kindText, "(tkLString)");
    EXPECT_EQ(types.namespaces(), std::vector<std::string>{"http://www.w3.org/2001/XMLSchema"});
}

TEST(TypeRegistry, EntersTheRecordTypesOfAnInterfaceInTheirUnitsNamespace) {
    const FakeVelmora fake;  // its import answers kOperatorKind
    soap::RemTypeRegistry types;
    types.addRecordTypes(*fake.registry.findByName("IVelmora"));
    const auto& array = types.recordArray(kOperatorKind);
    const auto& record = types.recordClass(kOperatorKind);
    EXPECT_EQ(record.ns, "urn:UClassCadoper");
    EXPECT_EQ(record.xmlName, "TRegistroCadoper");
    EXPECT_EQ(record.className, "TRegistroCadoper");
    EXPECT_EQ(record.kindText, "");
    EXPECT_EQ(array.ns, "urn:UClassCadoper");
    EXPECT_EQ(array.xmlName, "TColCadoper");
    EXPECT_EQ(array.className, "");
    EXPECT_EQ(array.kindText, "(tkDynArray)");

    // Listings show the scalars only; record types appear where a page names them.
    EXPECT_EQ(types.entries().size(), 3u);
    EXPECT_EQ(types.namespaces(), std::vector<std::string>{"http://www.w3.org/2001/XMLSchema"});

    try {
        soap::RemTypeRegistry().recordClass(kOperatorKind);
        FAIL() << "a kind no interface answers has no name";
    } catch (const velmora::Exception& e) {
        EXPECT_STREQ(e.what(), "Remotable Type TRegistroCadoper not registered");
    }
}
