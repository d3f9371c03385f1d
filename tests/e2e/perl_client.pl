#!/usr/bin/perl
# Calls the service through SOAP::Lite, driven by the service's WSDL only, and
# writes what the client decoded as JSON:
#
#   perl perl_client.pl PLAN.json RESULT.json
#
# PLAN: {"wsdl": URL, "calls": [[operation, [arguments...]], ...]}
# RESULT: {"calls": [{"op", "args", "result", "fault"}]}
# SOAP::Lite keeps records as hashes, so their field order is not kept.
use strict;
use warnings;
use JSON::PP;
use Scalar::Util qw(blessed reftype);
use SOAP::Lite;

my ($plan_file, $result_file) = @ARGV;
my $json = JSON::PP->new->utf8;
my $plan = do {
    local $/;
    open my $in, '<', $plan_file or die "$plan_file: $!";
    $json->decode(<$in>);
};

my $service = SOAP::Lite->service($plan->{wsdl});
# The whole response, so that faults can be told from results.
$service->want_som(1);

# Records (blessed hashes) and arrays of them, as plain JSON values.
sub plain {
    my ($value) = @_;
    return $value unless ref $value;
    return [map { plain($_) } @$value] if reftype($value) eq 'ARRAY';
    return { map { ($_ => plain($value->{$_})) } keys %$value } if reftype($value) eq 'HASH';
    die 'unexpected ' . ref($value);
}

my @calls;
for my $planned (@{ $plan->{calls} }) {
    my ($operation, $arguments) = @$planned;
    my %call = (op => $operation, args => $arguments, result => undef, fault => undef);
    my $som = eval { $service->$operation(@$arguments) };
    if (!$som) {
        $call{fault} = { code => 'client', string => "no response: $@" };
    } elsif ($som->fault) {
        $call{fault} = { code => $som->faultcode, string => $som->faultstring };
    } else {
        $call{result} = plain($som->result);
    }
    push @calls, \%call;
}

open my $out, '>', $result_file or die "$result_file: $!";
print $out $json->encode({ calls => \@calls });
close $out or die "$result_file: $!";
