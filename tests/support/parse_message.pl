#!/usr/bin/perl
# Parses a raw message (stdin) with MIME-tools and prints what it makes of it, as JSON:
# {"warnings": [...], "subject", "from", "to": decoded header texts,
#  "parts": [{"type", "charset", "encoding", "filename", "size", "sha256", "base64"}]}
# The first part is the body. An attached message is one part: its bytes as MIME-tools read them.
use strict;
use warnings;
use Digest::SHA qw(sha256_hex);
use Encode qw(decode);
use JSON::PP;
use MIME::Base64 qw(encode_base64);
use MIME::Parser;
use MIME::Words qw(decode_mimewords);

my @warnings;
local $SIG{__WARN__} = sub { push @warnings, "perl: $_[0]" };

sub decoded {
    my ($raw) = @_;
    return undef unless defined $raw;
    $raw =~ s/\r?\n$//;
    $raw =~ s/\r?\n([ \t])/$1/g;    # unfold
    my $text = '';
    for my $piece (decode_mimewords($raw)) {
        my ($bytes, $charset) = @$piece;
        $text .= utf8::is_utf8($bytes) ? $bytes : decode($charset // 'UTF-8', $bytes);
    }
    return $text;
}

binmode STDIN;
my $raw = do { local $/; <STDIN> };
my $parser = MIME::Parser->new;
$parser->output_to_core(1);
$parser->decode_headers(0);
my $entity = eval { $parser->parse_data($raw) };
my $result = { warnings => \@warnings };
if (!$entity) {
    push @warnings, "parse failed: " . ($@ || 'unknown');
} else {
    push @warnings, map { "mime-tools: $_" } $parser->results->warnings, $parser->results->errors;
    my $head = $entity->head;
    $result->{$_} = decoded($head->get(ucfirst $_)) for qw(subject from to);
    my @parts;
    my $walk;
    $walk = sub {
        my ($part) = @_;
        my $type = $part->effective_type;
        if ($part->is_multipart && $type ne 'message/rfc822') {
            $walk->($_) for $part->parts;
            return;
        }
        my $bytes;
        if ($type eq 'message/rfc822') {
            # The attached message as MIME-tools read it, written out again.
            my ($nested) = $part->parts;
            $bytes = $nested ? $nested->as_string : '';
        } else {
            my $body = $part->bodyhandle;
            $bytes = $body ? $body->as_string : '';
        }
        $bytes = '' unless defined $bytes;
        my $filename = $part->head->recommended_filename;
        push @parts, {
            type     => $type,
            charset  => scalar($part->head->mime_attr('content-type.charset')),
            encoding => scalar($part->head->mime_encoding),
            filename => defined $filename ? decoded($filename) : undef,
            size     => length($bytes),
            sha256   => sha256_hex($bytes),
            base64   => encode_base64($bytes, ''),
        };
    };
    $walk->($entity);
    $result->{parts} = \@parts;
}
binmode STDOUT;
print JSON::PP->new->canonical->utf8->encode($result);
